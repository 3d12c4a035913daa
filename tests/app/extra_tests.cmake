# The application's windows on the real X11 platform, under a virtual X
# server: texts in the fonts X resolves, the hints the window manager reads,
# what the screen shows. Registered only where xvfb-run exists.
add_executable(app_x11_windows ${CMAKE_CURRENT_LIST_DIR}/x11_windows.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowLooks.h)
target_link_libraries(app_x11_windows PRIVATE velloran_windows Qt6::Test)
target_include_directories(app_x11_windows PRIVATE ${CMAKE_CURRENT_LIST_DIR})

find_program(VELLORAN_XVFB_RUN xvfb-run)
if(VELLORAN_XVFB_RUN)
  add_test(NAME app_x11_windows
           COMMAND ${VELLORAN_XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:app_x11_windows>)
  set_tests_properties(app_x11_windows PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 300)
endif()
