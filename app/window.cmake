# The windowed program "tovrin": the main window as a library (shared with its tests) and the
# start-up unit. The window's skin manager, its skin package and the icon come from
# tovrin_resources.
add_library(tovrin_window STATIC
  Tovrin1.cpp
  SkinEngineSetup.cpp
)
set_target_properties(tovrin_window PROPERTIES AUTOMOC ON)
target_link_libraries(tovrin_window PUBLIC tovrin_skin_controls tovrin_scanner tovrin_framework tovrin_resources)

add_executable(tovrin Tovrin.cpp)
target_link_libraries(tovrin PRIVATE tovrin_window)
