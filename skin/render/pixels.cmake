# The bitmap type, the pixel and colour operations, and the skin picture readers and writers.
# Plain C++ on libpng and libjpeg-turbo; no Qt.
add_library(tovrin_skin_pixels STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PixelOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BlendOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComposeOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResampleKernels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResampleKernelsAvx2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DrawingRoutines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RectClip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JpegCodec.cpp
)
target_include_directories(tovrin_skin_pixels PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../..)
find_package(Threads REQUIRED)
target_link_libraries(tovrin_skin_pixels PUBLIC tovrin_framework_base PNG::PNG JPEG::JPEG Threads::Threads)
# The resampler's row loops are written to be vectorised.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ResampleKernels.cpp ${CMAKE_CURRENT_LIST_DIR}/ResampleKernelsAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/BlendOps.cpp PROPERTIES COMPILE_OPTIONS "-O3")
