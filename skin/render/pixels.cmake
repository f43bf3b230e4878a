add_library(tovrin_skin_pixels STATIC
  Bitmap32.cpp
)
target_include_directories(tovrin_skin_pixels PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tovrin_skin_pixels PUBLIC PNG::PNG JPEG::JPEG)
