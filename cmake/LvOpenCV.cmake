# Debian's OpenCV ships no CMake package files: find the headers and the stitching module's
# libraries by hand and offer them as one imported target.
if(NOT TARGET LvOpenCV::stitching)
  find_path(LV_OPENCV_INCLUDE_DIR opencv2/stitching.hpp PATH_SUFFIXES opencv4 REQUIRED)
  set(lv_opencv_libraries)
  foreach(module stitching features2d calib3d flann imgproc core)
    find_library(LV_OPENCV_${module}_LIBRARY opencv_${module} REQUIRED)
    list(APPEND lv_opencv_libraries ${LV_OPENCV_${module}_LIBRARY})
  endforeach()
  add_library(LvOpenCV::stitching INTERFACE IMPORTED GLOBAL)
  target_include_directories(LvOpenCV::stitching SYSTEM INTERFACE ${LV_OPENCV_INCLUDE_DIR})
  target_link_libraries(LvOpenCV::stitching INTERFACE ${lv_opencv_libraries})
endif()
