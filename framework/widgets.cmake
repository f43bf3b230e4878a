# The widget framework over Qt Widgets: application, forms, threads, standard controls,
# message dialog, colours and metrics, fonts, the window hook and the text boundary.
add_library(tovrin_framework STATIC
  Application.cpp
  Classes.cpp
  ComCtrls.cpp
  ControlClasses.cpp
  Controls.cpp
  DesktopComposition.cpp
  Fonts.cpp
  Forms.cpp
  Graphics.cpp
  MessageForm.cpp
  StdCtrls.cpp
  SystemMetrics.cpp
  QtText.cpp
  WindowHook.cpp
)
set_target_properties(tovrin_framework PROPERTIES AUTOMOC ON)
target_link_libraries(tovrin_framework PUBLIC tovrin_framework_core Qt6::Widgets)

# The X server is asked whether a compositing manager runs (where the X client library exists).
pkg_check_modules(XCB QUIET IMPORTED_TARGET xcb)
if(XCB_FOUND)
  target_compile_definitions(tovrin_framework PRIVATE TOVRIN_HAVE_XCB)
  target_link_libraries(tovrin_framework PRIVATE PkgConfig::XCB)
endif()
