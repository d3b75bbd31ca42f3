# The real program under the offscreen platform: opens the sample wells and writes a picture of
# every view into the build directory, where they can be looked at.
file(GLOB TARSEK_SAMPLE_WELLS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.kvd)
if(TARSEK_UI AND TARGET tarsek AND TARSEK_SAMPLE_WELLS)
  add_test(NAME ui.screenshots COMMAND tarsek --screenshots ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(ui.screenshots PROPERTIES LABELS ui TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts/truetype/wqy")
endif()
