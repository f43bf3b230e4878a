# The bitmap type, the pixel and colour operations, and the skin picture readers and writers.
# Plain C++ on libpng and libjpeg-turbo; no Qt.
add_library(tovrin_skin_pixels STATIC
  Bitmap32.cpp
  ColorOps.cpp
  PixelOps.cpp
  BlendOps.cpp
  ComposeOps.cpp
  Resample.cpp
  DrawingRoutines.cpp
  SkinPictures.cpp
  DibCodec.cpp
  PngCodec.cpp
  JpegCodec.cpp
)
target_include_directories(tovrin_skin_pixels PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tovrin_skin_pixels PUBLIC tovrin_framework_base PNG::PNG JPEG::JPEG)
# The resampler's row loops are written to be vectorised.
set_source_files_properties(Resample.cpp BlendOps.cpp PROPERTIES COMPILE_OPTIONS "-O3")
