# A program that ends with windows still open ends cleanly (exit status 0),
# whichever way it ends. Under a window manager, as a user has one: the
# window is then active, and hiding it at the wrong moment reached Qt's
# globals after they were gone.
velloran_add_test_program(framework_exit_x11 ${CMAKE_CURRENT_LIST_DIR}/exit_x11.cpp)
foreach(how runtime stack exit)
  velloran_add_x11_test(NAME framework_exit_x11_${how} TIMEOUT 60
                        COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/under_wm.sh $<TARGET_FILE:framework_exit_x11> ${how})
endforeach()
