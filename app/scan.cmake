# tovrin-scan: the command-line front end of the scanner.
add_executable(tovrin-scan
  ${CMAKE_CURRENT_LIST_DIR}/tovrin-scan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConsoleScanView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableExport.cpp
)
target_include_directories(tovrin-scan PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(tovrin-scan PRIVATE tovrin_scanner tovrin_framework_base)
