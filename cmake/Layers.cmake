# The layers of the source tree, lowest first: the one place that states them.
# A folder may include headers of its own folder and of folders in lower layers, never of a
# folder in its own layer or a higher one (cmake/CheckLayers.cmake, the ctest "layering", fails
# otherwise). An upward call goes through a callback or a signal instead.
# Each entry is one layer: its folders, relative to the repository, separated by spaces.
set(ZZ_LAYERS
  # stand-ins for the operating system: registry, system folder, beep, pointer, dialogs
  "src/platform/win"
  # the spreadsheet files: reading them, and the text form every export writes
  "src/platform/sheet"
  # stand-ins for the bought components and the database access
  "src/platform/db src/platform/spread src/platform/chart src/platform/controls"
  # the program's small windows: tool tips and pop-up menus, the message screen
  "src/winui src/msgscr"
  # the navigator under every grid
  "src/gridnav"
  # the windows the navigator opens
  "src/find src/graph"
  # start-up, configuration, data source, lifecycle
  "src/app"
  # the main window
  "src/rate"
  # the programs: main(), the command-line tools
  "src tools tools/rates")
