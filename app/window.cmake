# The windowed program "tovrin": the main window as a library (shared with its tests) and the
# start-up unit. The icon is compiled in from resources/icon.
add_library(tovrin_window STATIC
  Tovrin1.cpp
  ${CMAKE_SOURCE_DIR}/resources/icon/icon.qrc
)
set_target_properties(tovrin_window PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(tovrin_window PUBLIC tovrin_skin_controls tovrin_scanner tovrin_framework)

add_executable(tovrin Tovrin.cpp)
target_link_libraries(tovrin PRIVATE tovrin_window)
