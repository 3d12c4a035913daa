# The application's windows on the real X11 platform, under a virtual X
# server: texts in the fonts X resolves, the hints the window manager reads,
# what the screen shows.
velloran_add_test_program(app_x11_windows ${CMAKE_CURRENT_LIST_DIR}/x11_windows.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowLooks.h)
velloran_add_x11_test(NAME app_x11_windows COMMAND app_x11_windows SCREEN 1280x1024x24 TIMEOUT 300)
