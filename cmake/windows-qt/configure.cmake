# How Qt for Windows is configured: an initial cache for the configure of
# Debian's qt6-base source, which scripts/windows-libs.sh builds with
# MinGW-w64 as static libraries, trimmed to what the program and its tests
# need (cmake -C).

set(CMAKE_BUILD_TYPE Release CACHE STRING "")
# Static libraries, so that the program is one self-contained executable;
# every function and datum in a section of its own, so that the linker drops
# what the program never reaches.
set(BUILD_SHARED_LIBS OFF CACHE BOOL "")
# PCRE2 without its just-in-time compiler: the few regular expressions Qt
# runs here are matched by its interpreter, and no memory is made both
# writable and executable.
set(CMAKE_C_FLAGS "-ffunction-sections -fdata-sections -DPCRE2_DISABLE_JIT" CACHE STRING "")
set(CMAKE_CXX_FLAGS "-ffunction-sections -fdata-sections" CACHE STRING "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(QT_BUILD_BENCHMARKS OFF CACHE BOOL "")
# Sources compiled a few dozen to a unit: the build takes half the steps.
set(QT_UNITY_BUILD ON CACHE BOOL "")
set(FEATURE_sql OFF CACHE BOOL "")
set(FEATURE_network OFF CACHE BOOL "")
set(FEATURE_dbus OFF CACHE BOOL "")
set(INPUT_opengl no CACHE STRING "")
set(FEATURE_printsupport OFF CACHE BOOL "")
set(FEATURE_concurrent OFF CACHE BOOL "")
set(FEATURE_xml OFF CACHE BOOL "")
set(FEATURE_testlib_selfcover OFF CACHE BOOL "")
# Debian's source leaves out the Wacom tablet headers.
set(FEATURE_tabletevent OFF CACHE BOOL "")
# What the program, its tests and the platform plugin never use, left out
# so that the one executable stays small: sizes over speed, and the dialogs,
# views, document formats and system services of Qt the window has no use for.
set(FEATURE_optimize_size ON CACHE BOOL "")
set(FEATURE_mimetype OFF CACHE BOOL "")
set(FEATURE_xmlstream OFF CACHE BOOL "")
set(FEATURE_process OFF CACHE BOOL "")
set(FEATURE_sharedmemory OFF CACHE BOOL "")
set(FEATURE_systemsemaphore OFF CACHE BOOL "")
set(FEATURE_islamiccivilcalendar OFF CACHE BOOL "")
set(FEATURE_jalalicalendar OFF CACHE BOOL "")
set(FEATURE_pdf OFF CACHE BOOL "")
set(FEATURE_textodfwriter OFF CACHE BOOL "")
set(FEATURE_textmarkdownreader OFF CACHE BOOL "")
set(FEATURE_textmarkdownwriter OFF CACHE BOOL "")
set(FEATURE_movie OFF CACHE BOOL "")
set(FEATURE_systemtrayicon OFF CACHE BOOL "")
set(FEATURE_filesystemmodel OFF CACHE BOOL "")
set(FEATURE_directwrite3 OFF CACHE BOOL "")
set(FEATURE_gif OFF CACHE BOOL "")
set(FEATURE_ico OFF CACHE BOOL "")
set(FEATURE_jpeg OFF CACHE BOOL "")
set(FEATURE_style_stylesheet OFF CACHE BOOL "")
# The windowsvista style on every Windows: the layout's options and boxes
# were drawn for it, and Windows 11 would otherwise get the windows11 style.
set(FEATURE_style_windows11 OFF CACHE BOOL "")
set(FEATURE_style_fusion OFF CACHE BOOL "")
set(FEATURE_graphicsview OFF CACHE BOOL "")
set(FEATURE_graphicseffect OFF CACHE BOOL "")
set(FEATURE_filedialog OFF CACHE BOOL "")
set(FEATURE_fscompleter OFF CACHE BOOL "")
set(FEATURE_colordialog OFF CACHE BOOL "")
set(FEATURE_fontdialog OFF CACHE BOOL "")
set(FEATURE_fontcombobox OFF CACHE BOOL "")
set(FEATURE_calendarwidget OFF CACHE BOOL "")
set(FEATURE_datetimeedit OFF CACHE BOOL "")
set(FEATURE_columnview OFF CACHE BOOL "")
set(FEATURE_commandlinkbutton OFF CACHE BOOL "")
set(FEATURE_datawidgetmapper OFF CACHE BOOL "")
set(FEATURE_dial OFF CACHE BOOL "")
set(FEATURE_dockwidget OFF CACHE BOOL "")
set(FEATURE_errormessage OFF CACHE BOOL "")
set(FEATURE_keysequenceedit OFF CACHE BOOL "")
set(FEATURE_lcdnumber OFF CACHE BOOL "")
set(FEATURE_mdiarea OFF CACHE BOOL "")
set(FEATURE_progressdialog OFF CACHE BOOL "")
set(FEATURE_splashscreen OFF CACHE BOOL "")
set(FEATURE_syntaxhighlighter OFF CACHE BOOL "")
set(FEATURE_textbrowser OFF CACHE BOOL "")
set(FEATURE_toolbox OFF CACHE BOOL "")
set(FEATURE_undoview OFF CACHE BOOL "")
set(FEATURE_wizard OFF CACHE BOOL "")
set(FEATURE_listwidget OFF CACHE BOOL "")
set(FEATURE_tablewidget OFF CACHE BOOL "")
set(FEATURE_treewidget OFF CACHE BOOL "")
set(FEATURE_statusbar OFF CACHE BOOL "")
# Widgets the window has none of, which the style draws and the
# accessibility describes whenever Qt holds them, so that the executable
# would carry them all. The windowsvista style itself names tab bars and
# widgets, tool bars, sliders, spin boxes and item, table and tree views,
# which stay.
set(FEATURE_mainwindow OFF CACHE BOOL "")
set(FEATURE_menubar OFF CACHE BOOL "")
set(FEATURE_splitter OFF CACHE BOOL "")
set(FEATURE_progressbar OFF CACHE BOOL "")
set(FEATURE_combobox OFF CACHE BOOL "")
set(FEATURE_completer OFF CACHE BOOL "")
set(FEATURE_scroller OFF CACHE BOOL "")
set(FEATURE_gestures OFF CACHE BOOL "")
set(FEATURE_effects OFF CACHE BOOL "")
set(FEATURE_whatsthis OFF CACHE BOOL "")
set(FEATURE_standarditemmodel OFF CACHE BOOL "")
set(FEATURE_proxymodel OFF CACHE BOOL "")
# Text as HTML and style sheets: every text of the window is plain.
set(FEATURE_texthtmlparser OFF CACHE BOOL "")
set(FEATURE_cssparser OFF CACHE BOOL "")
# Services of Qt's core and of its images that nothing here asks for.
set(FEATURE_sha3_fast OFF CACHE BOOL "")
set(FEATURE_sessionmanager OFF CACHE BOOL "")
set(FEATURE_desktopservices OFF CACHE BOOL "")
set(FEATURE_undocommand OFF CACHE BOOL "")
set(FEATURE_translation OFF CACHE BOOL "")
set(FEATURE_timezone OFF CACHE BOOL "")
set(FEATURE_datetimeparser OFF CACHE BOOL "")
set(FEATURE_commandlineparser OFF CACHE BOOL "")
set(FEATURE_permissions OFF CACHE BOOL "")
set(FEATURE_future OFF CACHE BOOL "")
set(FEATURE_picture OFF CACHE BOOL "")
set(FEATURE_imageformat_ppm OFF CACHE BOOL "")
set(FEATURE_imageformat_xbm OFF CACHE BOOL "")
set(FEATURE_raster_fp OFF CACHE BOOL "")
set(FEATURE_system_zlib OFF CACHE BOOL "")
set(FEATURE_system_pcre2 OFF CACHE BOOL "")
set(FEATURE_system_freetype OFF CACHE BOOL "")
set(FEATURE_system_harfbuzz OFF CACHE BOOL "")
set(FEATURE_system_png OFF CACHE BOOL "")
set(FEATURE_system_jpeg OFF CACHE BOOL "")
