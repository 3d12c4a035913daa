# The application's windows on the real X11 platform, under a virtual X
# server and a window manager (as a user's desktop has one): texts in the
# fonts X resolves, the hints the window manager reads, what it does with
# them, what the screen shows. The test talks to the X server itself (libxcb)
# to play the part of the window manager's boxes.
find_library(VELLORAN_XCB_LIBRARY xcb)
find_path(VELLORAN_XCB_INCLUDE xcb/xcb.h)
if(VELLORAN_XCB_LIBRARY AND VELLORAN_XCB_INCLUDE)
  velloran_add_test_program(app_x11_windows ${CMAKE_CURRENT_LIST_DIR}/x11_windows.cpp)
  target_include_directories(app_x11_windows PRIVATE ${VELLORAN_XCB_INCLUDE})
  target_link_libraries(app_x11_windows PRIVATE ${VELLORAN_XCB_LIBRARY})
  velloran_add_x11_test(NAME app_x11_windows SCREEN 1280x1024x24 TIMEOUT 300
                        COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/../framework/under_wm.sh $<TARGET_FILE:app_x11_windows>)
else()
  message(STATUS "libxcb not found: the X11 test app_x11_windows is not built")
endif()
