# The laboratories' lists and keyboard focus on the real X11 platform, under
# a virtual X server where xvfb-run exists, and offscreen everywhere.
add_executable(labs_x11_focus_lists ${CMAKE_CURRENT_LIST_DIR}/x11_focus_lists.cpp)
target_link_libraries(labs_x11_focus_lists PRIVATE velloran_windows Qt6::Test)

add_test(NAME labs_focus_lists_offscreen COMMAND labs_x11_focus_lists)
set_tests_properties(labs_focus_lists_offscreen PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)

find_program(VELLORAN_XVFB_RUN xvfb-run)
if(VELLORAN_XVFB_RUN)
  add_test(NAME labs_x11_focus_lists
           COMMAND ${VELLORAN_XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:labs_x11_focus_lists>)
  set_tests_properties(labs_x11_focus_lists PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 120)
else()
  message(STATUS "xvfb-run not found: the X11 test of the laboratories' lists and focus is not registered")
endif()

# The four laboratories' pace on real timers.
add_executable(labs_pace ${CMAKE_CURRENT_LIST_DIR}/pace.cpp)
target_link_libraries(labs_pace PRIVATE velloran_windows Qt6::Test)
target_include_directories(labs_pace PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
add_test(NAME labs_pace COMMAND labs_pace)
set_tests_properties(labs_pace PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
