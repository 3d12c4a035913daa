# The four laboratories' pace on real timers.
velloran_add_test_program(labs_pace ${CMAKE_CURRENT_LIST_DIR}/pace.cpp)
velloran_add_offscreen_test(NAME labs_pace COMMAND labs_pace TIMEOUT 120)
