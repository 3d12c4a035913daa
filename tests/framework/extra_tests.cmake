# The window layer on the real X11 platform, under a virtual X server. The
# test is registered only where xvfb-run exists.
add_executable(framework_smoke_x11 ${CMAKE_CURRENT_LIST_DIR}/smoke_x11.cpp)
target_link_libraries(framework_smoke_x11 PRIVATE velloran_windows Qt6::Test)

find_program(VELLORAN_XVFB_RUN xvfb-run)
if(VELLORAN_XVFB_RUN)
  add_test(NAME framework_smoke_x11
           COMMAND ${VELLORAN_XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:framework_smoke_x11>)
  set_tests_properties(framework_smoke_x11 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 120)
else()
  message(STATUS "xvfb-run not found: the X11 smoke test of the window layer is not registered")
endif()

# A program that ends with windows still open ends cleanly (exit status 0),
# whichever way it ends. Under a window manager, as a user has one: the
# window is then active, and hiding it at the wrong moment reached Qt's
# globals after they were gone.
add_executable(framework_exit_x11 ${CMAKE_CURRENT_LIST_DIR}/exit_x11.cpp)
target_link_libraries(framework_exit_x11 PRIVATE velloran_windows Qt6::Test)
if(VELLORAN_XVFB_RUN)
  foreach(how runtime stack exit)
    add_test(NAME framework_exit_x11_${how}
             COMMAND ${VELLORAN_XVFB_RUN} -a -s "-screen 0 1024x768x24"
                     sh ${CMAKE_CURRENT_LIST_DIR}/under_wm.sh $<TARGET_FILE:framework_exit_x11> ${how})
    set_tests_properties(framework_exit_x11_${how} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 60)
  endforeach()
endif()
