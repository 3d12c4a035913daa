# The laboratories' lists and keyboard focus on the real X11 platform, under
# a virtual X server where xvfb-run exists, and offscreen everywhere.
velloran_add_test_program(labs_x11_focus_lists ${CMAKE_CURRENT_LIST_DIR}/x11_focus_lists.cpp)
velloran_add_offscreen_test(NAME labs_focus_lists_offscreen COMMAND labs_x11_focus_lists TIMEOUT 120)
velloran_add_x11_test(NAME labs_x11_focus_lists COMMAND labs_x11_focus_lists)

# The four laboratories' pace on real timers.
velloran_add_test_program(labs_pace ${CMAKE_CURRENT_LIST_DIR}/pace.cpp)
velloran_add_offscreen_test(NAME labs_pace COMMAND labs_pace TIMEOUT 120)
