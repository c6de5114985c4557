# One CTest test per script: tests/scripts/NAME.pas (and examples with a NAME.out),
# run against the built vp and compared byte for byte with NAME.out, or line by line
# with the patterns of NAME.match.
function(vp_add_golden_tests dir prefix)
  file(GLOB scripts CONFIGURE_DEPENDS ${dir}/*.pas)
  foreach(script ${scripts})
    get_filename_component(name ${script} NAME_WE)
    if(NOT EXISTS ${dir}/${name}.out AND NOT EXISTS ${dir}/${name}.match)
      continue()
    endif()
    add_test(NAME ${prefix}.${name}
      COMMAND bash ${CMAKE_SOURCE_DIR}/tests/run_golden.sh
              $<TARGET_FILE:vp> ${dir} ${name} ${CMAKE_BINARY_DIR}/golden/${prefix})
  endforeach()
endfunction()
