// The full-screen viewer, photos turned by their orientation, the metadata
// window and the main window's commands that open result files.
#include "metadata/image_metadata.h"
#include "ui/file_operations_dialog.h"
#include "ui/image_viewer.h"
#include "ui/main_window.h"
#include "ui/result_commands.h"
#include "ui/metadata_window.h"
#include "ui/orientation.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <QApplication>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>

namespace orvalis::test {
namespace {

const QString kCorpus = QStringLiteral(ORVALIS_SOURCE_DIR "/../shared/corpus/exif-samples");

QString Orientation(int code) {
  return kCorpus + QStringLiteral("/orientation/landscape_%1.jpg").arg(code);
}

// Mean difference per channel of two pictures brought to one small size.
double Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 255;
  const QImage x = a.scaled(40, 30).convertToFormat(QImage::Format_RGB32);
  const QImage y = b.scaled(40, 30).convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < 30; ++row) {
    for (int column = 0; column < 40; ++column) {
      const QRgb p = x.pixel(column, row);
      const QRgb q = y.pixel(column, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (40 * 30 * 3);
}

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { UseFreshSettingsLocation(); }

  // Ten small pictures, each of its own colour.
  void AddTenPictures(TResultView& view) {
    for (int i = 0; i < 10; ++i) {
      QImage picture(8, 8, QImage::Format_RGB32);
      picture.fill(QColor::fromHsv(i * 36, 255, 255));
      const QString path = folder.path() + QStringLiteral("/p%1.jpg").arg(i);
      ASSERT_TRUE(picture.save(path, "JPEG"));
      view.Model().AppendRow(path.toStdString());
    }
  }

  QTemporaryDir folder;
  TScriptedDialogs dialogs;
};

TEST_F(ViewerTest, NextAndPreviousStepThroughTheSelectedItems) {
  TResultView view;
  AddTenPictures(view);
  for (int row : {2, 5, 9}) view.SelectRow(row, true);
  TfrmViewer viewer(view, dialogs, true);
  viewer.Start();
  EXPECT_EQ(viewer.CurrentIndex(), 2);
  const std::pair<bool, int> steps[] = {{true, 5}, {true, 9}, {true, 2}, {false, 9}, {false, 5}};
  for (const auto& [next, expected] : steps) {
    if (next) {
      viewer.ShowNext();
    } else {
      viewer.ShowPrevious();
    }
    EXPECT_EQ(viewer.CurrentIndex(), expected);
    EXPECT_EQ(viewer.lblInfo->text(),
              QStringLiteral(" ") + folder.path() + QStringLiteral("/p%1.jpg").arg(expected));
    EXPECT_FALSE(viewer.Picture().isNull());
  }
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ViewerTest, WithNothingSelectedTheLastItemIsFollowedByTheFirst) {
  TResultView view;
  AddTenPictures(view);
  TfrmViewer viewer(view, dialogs, true);
  viewer.Start();
  viewer.ShowPrevious();
  EXPECT_EQ(viewer.CurrentIndex(), 9);
  viewer.ShowNext();
  EXPECT_EQ(viewer.CurrentIndex(), 0);
}

TEST_F(ViewerTest, AFileThatIsNoPictureIsReported) {
  TResultView view;
  const QString path = folder.path() + QStringLiteral("/broken.jpg");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xD8 not really");
  file.close();
  view.Model().AppendRow(path.toStdString());
  TfrmViewer viewer(view, dialogs, true);
  viewer.Start();
  EXPECT_TRUE(viewer.Picture().isNull());
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages.front().startsWith(
      QStringLiteral("Kann Bild %1 nicht anzeigen: ").arg(path)))
      << dialogs.messages.front().toStdString();
}

TEST_F(ViewerTest, TheMessageAboutAPictureOpensAboveTheViewer) {
  TResultView view;
  AddTenPictures(view);
  const QString path = folder.path() + QStringLiteral("/broken.jpg");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xFF\xD8 not really");
  file.close();
  view.Model().AppendRow(path.toStdString());
  QWidget owner;
  owner.show();
  TQtDialogs boxes(&owner);
  TfrmViewer viewer(view, boxes, true, &owner);
  viewer.Start();
  // While the viewer runs, step back to the broken file; the box that
  // reports it is answered as soon as it shows.
  QWidget* boxParent = nullptr;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
        boxParent = box->parentWidget();
        box->accept();
      }
    }
  });
  answer.start(10);
  QTimer::singleShot(0, &viewer, [&] {
    viewer.ShowPrevious();
    viewer.reject();
  });
  viewer.exec();
  EXPECT_EQ(boxParent, &viewer);
}

class TurnedPhotos : public ViewerTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    if (!QFile::exists(Orientation(1)))
      GTEST_SKIP() << "corpus not found at " << kCorpus.toStdString();
  }
  QImage ViewerPicture(int code, bool turn) {
    TResultView view;
    view.Model().AppendRow(Orientation(code).toStdString());
    TfrmViewer viewer(view, dialogs, turn);
    viewer.Start();
    return viewer.Picture();
  }
  QImage Thumbnail(int code, bool turn) {
    TfrmMain window(&dialogs);
    tSettings& settings = const_cast<tSettings&>(window.Settings());
    settings.TurnByOrientation = turn;
    window.Results().PrepareResultList(160, 120);
    tImageMetaData store;
    store.ReadJpegFile(Orientation(code).toStdString());
    const int row = window.Results().AddRow(Orientation(code).toStdString(), store, true);
    TResultModel& model = window.Results().View().Model();
    return model.Thumbnails().GetOrMakeNow(model.Row(row).FileInfo.Path).toImage();
  }
};

TEST_P(TurnedPhotos, ShowUprightInTheViewer) {
  const QImage upright = ViewerPicture(1, true);
  ASSERT_FALSE(upright.isNull());
  // The pictures differ only in the number printed on them (about 14);
  // the same photo mirrored differs by 50 and more.
  EXPECT_LT(Difference(ViewerPicture(GetParam(), true), upright), 25);
  const QImage lying = ViewerPicture(GetParam(), false);
  EXPECT_EQ(lying.size(), upright.size().transposed());
  EXPECT_GT(Difference(OrientedImage(lying, GetParam() == 6 ? 5 : 7), upright), 40);
}

TEST_P(TurnedPhotos, ShowUprightAsThumbnails) {
  const QImage upright = Thumbnail(1, true);
  EXPECT_LT(Difference(Thumbnail(GetParam(), true), upright), 25);
  EXPECT_GT(Difference(Thumbnail(GetParam(), false), upright), 40);
}

INSTANTIATE_TEST_SUITE_P(Codes, TurnedPhotos, ::testing::Values(6, 8));

TEST(Orientation, EveryCodeOfAnAsymmetricPicture) {
  // A 3 x 2 picture with one red corner (top left) and one green pixel
  // beside it; where they land tells the transformation.
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.fill(Qt::white);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 255, 0));
  struct tCase {
    int code;
    QSize size;
    QPoint red, green;
  };
  const tCase cases[] = {
      {1, {3, 2}, {0, 0}, {1, 0}}, {2, {3, 2}, {2, 0}, {1, 0}}, {3, {3, 2}, {2, 1}, {1, 1}},
      {4, {3, 2}, {0, 1}, {1, 1}}, {5, {2, 3}, {0, 0}, {0, 1}}, {6, {2, 3}, {1, 0}, {1, 1}},
      {7, {2, 3}, {1, 2}, {1, 1}}, {8, {2, 3}, {0, 2}, {0, 1}}, {9, {3, 2}, {0, 0}, {1, 0}}};
  for (const tCase& c : cases) {
    const QImage turned = OrientedImage(picture, c.code);
    EXPECT_EQ(turned.size(), c.size) << c.code;
    EXPECT_EQ(turned.pixel(c.red), qRgb(255, 0, 0)) << c.code;
    EXPECT_EQ(turned.pixel(c.green), qRgb(0, 255, 0)) << c.code;
  }
}

TEST_F(ViewerTest, TheMetadataWindowListsEveryEntrySorted) {
  const QString path = kCorpus + QStringLiteral("/Canon_40D.jpg");
  if (!QFile::exists(path)) GTEST_SKIP() << "corpus not found";
  TfrmMetadata window;
  window.Fill(path.toStdString());
  tImageMetaData store;
  store.ReadJpegFile(path.toStdString());
  ASSERT_EQ(window.lstMetadata->count(), store.EntryCount());
  QStringList lines;
  for (int i = 0; i < window.lstMetadata->count(); ++i)
    lines.append(window.lstMetadata->item(i)->text());
  EXPECT_TRUE(lines.contains(QStringLiteral("Make: Canon")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Model: Canon EOS 40D")));
  for (int i = 1; i < lines.size(); ++i) {
    EXPECT_LE(QString::compare(lines[i - 1], lines[i], Qt::CaseInsensitive), 0) << i;
  }
  EXPECT_EQ(window.lblTitle->text(), QStringLiteral("Metadaten-Information für Canon_40D.jpg"));
  window.Fill((folder.path() + QStringLiteral("/missing.jpg")).toStdString());
  EXPECT_EQ(window.lstMetadata->count(), 0);
}

TEST_F(ViewerTest, TheMetadataWindowStartsAtTheTopForEachFile) {
  const QString first = kCorpus + QStringLiteral("/Canon_40D.jpg");
  const QString second = kCorpus + QStringLiteral("/Nikon_D70.jpg");
  if (!QFile::exists(first) || !QFile::exists(second)) GTEST_SKIP() << "corpus not found";
  TfrmMetadata window;
  window.show();
  window.Fill(first.toStdString());
  QApplication::processEvents();
  QScrollBar* bar = window.lstMetadata->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum());
  window.Fill(second.toStdString());
  QApplication::processEvents();
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(ViewerTest, TurningIsASettingOnTheResultPageOnByDefault) {
  TfrmMain window(&dialogs);
  TfrmSettings& page = *window.SettingsDialog();
  EXPECT_TRUE(window.Settings().TurnByOrientation);
  for (bool turn : {false, true}) {
    tSettings settings;
    settings.TurnByOrientation = turn;
    page.Fill(settings, true, QFont(), QFont());
    EXPECT_EQ(page.chkTurnByOrientation->isChecked(), turn);
    page.chkTurnByOrientation->setChecked(!turn);
    bool saveOnExit = true;
    page.TakeOver(settings, saveOnExit);
    EXPECT_EQ(settings.TurnByOrientation, !turn);
  }
}

class OpenCommandTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    window = std::make_unique<TfrmMain>(&dialogs);
    window->ResultCommands().StartDetached = [this](const QString& program,
                                                    const QStringList& arguments) {
      started.append(program + QLatin1Char('|') + arguments.join(QLatin1Char('|')));
      return true;
    };
    window->ResultCommands().OpenUrl = [this](const QUrl& url) {
      started.append(QStringLiteral("open|") + url.toLocalFile());
    };
    window->ResultCommands().RunModal = [this](QDialog& shown) {
      modal.append(shown.objectName());
      return 0;
    };
    window->Results().PrepareResultList(160, 120);
    window->Results().AddFileToResultlist("/photos/A.JPG");
  }
  void Open(const char* mode, const char* program, const char* parameters) {
    tSettings& settings = const_cast<tSettings&>(window->Settings());
    settings.ResultViewerMode = mode;
    settings.ResultViewerAppname = program;
    settings.ResultViewerParams = parameters;
    window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  }

  std::unique_ptr<TfrmMain> window;
  QStringList started;
  QStringList modal;
};

TEST_F(OpenCommandTest, NothingSelectedNothingOpens) {
  Open("W", "", "");
  window->findChild<QAction*>(QStringLiteral("mnuMetadata"))->trigger();
  window->findChild<QAction*>(QStringLiteral("actFileOperations"))->trigger();
  EXPECT_TRUE(started.isEmpty());
  EXPECT_TRUE(modal.isEmpty());
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Keine Dateien ausgewählt.")});
}

TEST_F(OpenCommandTest, EachViewerMode) {
  window->Results().View().SelectRow(0, false);
  Open("u", "/usr/bin/show", "/SLIDE $FileName");
  Open("U", "  ", "$filename");
  Open("W", "/usr/bin/show", "");
  Open("I", "", "");
  Open("X", "/usr/bin/show", "$filename");
  EXPECT_EQ(started, (QStringList{QStringLiteral("/usr/bin/show|/slide|/photos/A.JPG"),
                                  QStringLiteral("open|/photos/A.JPG")}));
  EXPECT_EQ(modal, QStringList{QStringLiteral("frmFullScreen")});
  window->findChild<QAction*>(QStringLiteral("mnuMetadata"))->trigger();
  window->findChild<QAction*>(QStringLiteral("actFileOperations"))->trigger();
  EXPECT_EQ(modal, (QStringList{QStringLiteral("frmFullScreen"), QStringLiteral("frmMetaInfo"),
                                QStringLiteral("frmFileOps")}));
}

}  // namespace
}  // namespace orvalis::test
