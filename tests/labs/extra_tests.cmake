# The four laboratories' pace on real timers. What it measures is time, so it
# runs on optimised code whatever the build type: unoptimised, one generation
# of 500 virions of 500 nucleotides takes some twenty times longer than in the
# program users run, and the test would measure the compiler's -O0 instead of
# the timers' rules. In an optimised build it uses the ordinary libraries; in
# any other it gets optimised copies of them.
set(VELLORAN_PACE_LIBS fwcore fwui engine_model engine_ui velloran_windows)
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(VELLORAN_PACE_LINK velloran_windows)
else()
  foreach(lib ${VELLORAN_PACE_LIBS})
    get_target_property(sources ${lib} SOURCES)
    add_library(${lib}_optimised STATIC EXCLUDE_FROM_ALL ${sources})
    set_target_properties(${lib}_optimised PROPERTIES LINKER_LANGUAGE CXX)
    target_compile_options(${lib}_optimised PRIVATE -O2)
  endforeach()
  target_link_libraries(fwui_optimised PUBLIC fwcore_optimised Qt6::Widgets)
  target_link_libraries(engine_model_optimised PUBLIC fwcore_optimised)
  target_link_libraries(engine_ui_optimised PUBLIC engine_model_optimised fwui_optimised)
  target_link_libraries(velloran_windows_optimised PUBLIC engine_ui_optimised fwui_optimised)
  if(TARGET velloran_resources)
    target_sources(velloran_windows_optimised INTERFACE $<TARGET_OBJECTS:velloran_resources>)
  endif()
  set(VELLORAN_PACE_LINK velloran_windows_optimised)
endif()

add_executable(labs_pace ${CMAKE_CURRENT_LIST_DIR}/pace.cpp)
target_link_libraries(labs_pace PRIVATE ${VELLORAN_PACE_LINK} Qt6::Test)
target_include_directories(labs_pace PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
add_test(NAME labs_pace COMMAND labs_pace)
set_tests_properties(labs_pace PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
