# tovrin_skin_render: painting from a loaded skin (masks, glyphs, frame strips, textures,
# gradients and section backgrounds). Plain C++ over the skin data and the pixel operations.
add_library(tovrin_skin_render STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sBlit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sMaskGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sMaskMerge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sMaskPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sGlyphPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sFrameStrips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sBackgrounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sSectionPaint.cpp
)
target_include_directories(tovrin_skin_render PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tovrin_skin_render PUBLIC tovrin_skin_data tovrin_skin_pixels)
