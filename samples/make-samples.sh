#!/usr/bin/env bash
# Re-creates the bundled sample photos: small pictures drawn here, written by
# cjpeg (libjpeg-turbo-progs) and heif-enc (libheif-examples), with metadata set by ExifTool. The photos are
# committed; this script is only needed to change them.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# picture NAME WIDTH HEIGHT R G B: a diagonal colour gradient with a "sun".
picture() {
  python3 - "$tmp/$1.ppm" "$2" "$3" "$4" "$5" "$6" <<'PY'
import sys, math
path, w, h, r, g, b = sys.argv[1], *map(int, sys.argv[2:])
out = bytearray(b"P6 %d %d 255\n" % (w, h))
for y in range(h):
    for x in range(w):
        t = (x + y) / (w + h)
        d = math.hypot(x - w * 0.7, y - h * 0.3)
        sun = 1.0 if d < h * 0.15 else 0.0
        px = [int(c * (0.45 + 0.55 * t)) for c in (r, g, b)]
        if sun: px = [255, 240, 180]
        if y > h * 0.75: px = [int(c * 0.5) for c in px]
        out += bytes(px)
open(path, "wb").write(out)
PY
  cjpeg -quality 85 "$tmp/$1.ppm" > "$tmp/$1.jpg"
  djpeg -scale 1/4 "$tmp/$1.jpg" | cjpeg -quality 75 > "$tmp/$1-thumb.jpg"
}

et() { exiftool -q -overwrite_original "$@"; }

rm -rf holiday ./*.jpg
mkdir -p holiday

picture canon 480 360 70 120 200
cp "$tmp/canon.jpg" canon_eos_40d.jpg
et -ExifByteOrder=II -Make=Canon -Model="Canon EOS 40D" -FNumber=2.8 -ExposureTime=1/250 \
   -ISO=400 -FocalLength=50 -DateTimeOriginal="2023:07:15 10:20:30" -Orientation#=1 \
   -Flash#=16 -ExposureProgram#=3 "-ThumbnailImage<=$tmp/canon-thumb.jpg" canon_eos_40d.jpg

picture powershot 400 300 200 140 60
cp "$tmp/powershot.jpg" canon_powershot_s40.jpg
et -ExifByteOrder=MM -Make=Canon -Model="Canon PowerShot S40" -FNumber=4.9 -ExposureTime=1/60 \
   -ISO=100 -DateTimeOriginal="2022:12:24 18:05:00" -Orientation#=1 \
   -IPTC:Keywords=Weihnachten -IPTC:Keywords=Familie -IPTC:City=Wien \
   -IPTC:Caption-Abstract="Heiligabend bei Oma" "-ThumbnailImage<=$tmp/powershot-thumb.jpg" \
   canon_powershot_s40.jpg

picture nikon 480 320 40 160 90
cp "$tmp/nikon.jpg" nikon_d70.jpg
et -ExifByteOrder=MM -Make="NIKON CORPORATION" -Model="NIKON D70" -FNumber=5.6 \
   -ExposureTime=1/500 -ISO=200 -FocalLength=35 -DateTimeOriginal="2021:05:02 14:00:12" \
   -Orientation#=1 -Comment="Wanderung am Schneeberg" "-ThumbnailImage<=$tmp/nikon-thumb.jpg" \
   nikon_d70.jpg

picture fuji 360 480 180 80 140
cp "$tmp/fuji.jpg" fujifilm_x100.jpg
et -ExifByteOrder=II -Make=FUJIFILM -Model="X100V" -FNumber=2 -ExposureTime=1/1000 -ISO=160 \
   -DateTimeOriginal="2024:03:09 09:15:45" -Orientation#=6 \
   -IPTC:Keywords=Markt -IPTC:Keywords=Stadt "-IPTC:Keywords=$(printf 'Fr\303\274hling')" -IPTC:City=Graz \
   fujifilm_x100.jpg

picture olympus 400 300 60 60 60
cp "$tmp/olympus.jpg" olympus_e_m10.jpg
et -ExifByteOrder=II -Make="OLYMPUS IMAGING CORP." -Model="E-M10" -FNumber=8 -ExposureTime=1/125 \
   -ISO=200 -DateTimeOriginal="2020:10:31 16:45:00" -Orientation#=1 olympus_e_m10.jpg

picture sony 480 270 230 190 70
cp "$tmp/sony.jpg" sony_a7.jpg
et -ExifByteOrder=MM -Make=SONY -Model="ILCE-7M3" -FNumber=1.8 -ExposureTime=1/4000 -ISO=100 \
   -DateTimeOriginal="2023:08:01 12:00:00" -Orientation#=1 -UserComment="Strand bei Grado" \
   sony_a7.jpg

picture iptc 400 300 120 200 220
cp "$tmp/iptc.jpg" scan_with_caption.jpg
et -IPTC:Keywords=Archiv -IPTC:Keywords=Scan -IPTC:City=Salzburg -IPTC:ObjectName="Altes Foto" \
   "-IPTC:Caption-Abstract=Hochzeit 1962"$'\r\n'"Kirche St. Peter" scan_with_caption.jpg

picture comment 320 240 150 100 60
cp "$tmp/comment.jpg" with_comment.jpg
et -Comment="Gruss aus Wien" with_comment.jpg

picture plain 320 240 90 90 160
cp "$tmp/plain.jpg" no_metadata.jpg

picture pentax 480 360 100 140 60
cp "$tmp/pentax.jpg" holiday/pentax_k10d.jpg
et -ExifByteOrder=MM -Make=PENTAX -Model="PENTAX K10D" -FNumber=3.5 -ExposureTime=1/200 -ISO=100 \
   -DateTimeOriginal="2019:08:20 11:11:11" -Orientation#=1 -IPTC:Keywords=Urlaub \
   -IPTC:Keywords=Berge holiday/pentax_k10d.jpg

picture pana 480 360 200 90 90
cp "$tmp/pana.jpg" holiday/panasonic_fz30.jpg
et -ExifByteOrder=II -Make=Panasonic -Model="DMC-FZ30" -FNumber=3.7 -ExposureTime=1/30 -ISO=80 \
   -DateTimeOriginal="2019:08:21 19:30:00" -Orientation#=8 -IPTC:Keywords=Urlaub \
   -IPTC:Keywords=Sonnenuntergang holiday/panasonic_fz30.jpg

picture canon2 400 300 60 180 180
cp "$tmp/canon2.jpg" holiday/canon_ixus.jpg
et -ExifByteOrder=II -Make=Canon -Model="Canon DIGITAL IXUS 400" -FNumber=2.8 -ExposureTime=1/80 \
   -ISO=50 -DateTimeOriginal="2019:08:22 08:00:00" -Orientation#=1 -IPTC:Keywords=Urlaub \
   "-ThumbnailImage<=$tmp/canon2-thumb.jpg" holiday/canon_ixus.jpg

# A position south-west of zero (Rio de Janeiro) and a phone's lens.
picture rio 480 360 40 110 170
cp "$tmp/rio.jpg" iphone_rio.jpg
et -ExifByteOrder=MM -Make=Apple -Model="iPhone 12" -FNumber=1.6 -ExposureTime=1/1200 -ISO=32 \
   -FocalLength=4.2 -FocalLengthIn35mmFormat=26 -LensMake=Apple \
   -LensModel="iPhone 12 back camera 4.2mm f/1.6" -ExposureMode#=0 -WhiteBalance#=0 \
   -SceneCaptureType#=1 -DateTimeOriginal="2024:01:20 11:30:00" -OffsetTimeOriginal="-03:00" \
   -Orientation#=1 -GPSLatitude=22.951916 -GPSLatitudeRef=S -GPSLongitude=43.210487 \
   -GPSLongitudeRef=W -GPSAltitude=700 -GPSAltitudeRef#=0 -GPSTimeStamp=14:30:00 \
   -GPSDateStamp=2024:01:20 iphone_rio.jpg

# What a photo manager writes into XMP: rating, colour label, keywords with
# umlauts, title, place and lens.
picture koenigssee 480 320 60 130 110
cp "$tmp/koenigssee.jpg" nikon_z6_koenigssee.jpg
et -ExifByteOrder=II -Make="NIKON CORPORATION" -Model="NIKON Z 6" -FNumber=8 -ExposureTime=1/250 \
   -ISO=100 -FocalLength=24 -FocalLengthIn35mmFormat=24 -LensModel="NIKKOR Z 24-70mm f/4 S" \
   -DateTimeOriginal="2023:05:20 06:45:00" -Orientation#=1 \
   -XMP-xmp:Rating=5 -XMP-xmp:Label=Rot "-XMP-dc:Subject=$(printf 'K\303\266nigssee')" \
   "-XMP-dc:Subject=$(printf 'Fr\303\274hling')" "-XMP-dc:Subject=$(printf 'Almh\303\274tte')" \
   "-XMP-dc:Title=$(printf 'Morgen am K\303\266nigssee')" "-XMP-photoshop:City=$(printf 'Sch\303\266nau')" \
   -XMP-photoshop:Country=Deutschland -XMP-xmp:CreateDate="2023:05:20 06:45:00+02:00" \
   -XMP-aux:Lens="NIKKOR Z 24-70mm f/4 S" nikon_z6_koenigssee.jpg

# A phone photo in HEIC (heif-enc from libheif-examples): the same query finds
# it beside the JPEGs.
picture munich 480 360 220 120 60
heif-enc -q 60 -o pixel_munich.heic "$tmp/munich.jpg" >/dev/null
et -Make=Google -Model="Pixel 7" -FNumber=1.9 -ExposureTime=1/500 -ISO=40 \
   -DateTimeOriginal="2024:09:14 17:05:00" -GPSLatitude=48.137154 -GPSLatitudeRef=N \
   -GPSLongitude=11.576124 -GPSLongitudeRef=E pixel_munich.heic

printf 'Not a photo, although it is named like one.\n' > not_a_photo.jpg
