# Which modules each module of src/ may use, in one place. The include check
# (check_includes.cmake) reads it at every build, and orvalis_module() links
# each module library against exactly these, so the direction is declared once:
#   common <- i18n, metadata <- query <- engine <- cli, ui
#   (output uses common and metadata; platform common and i18n)
# A new module or a new allowed direction is one line here and one row in
# docs/architecture.md.
set(ORVALIS_MODULES common i18n metadata query output engine platform)
set(allowed_common "")
set(allowed_i18n common)
set(allowed_metadata common)
set(allowed_query common metadata)
set(allowed_output common metadata)
set(allowed_engine common i18n metadata query)
set(allowed_platform common i18n)
# The programs' folders are held to a direction too: the windows never use
# the command line's code, and what both programs need lives in platform.
set(ORVALIS_PROGRAM_FOLDERS cli ui app)
set(allowed_cli common i18n metadata query output engine platform)
set(allowed_ui common i18n metadata query output engine platform)
set(allowed_app ui)
