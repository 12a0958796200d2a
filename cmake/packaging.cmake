# What `cmake --install` puts on a machine besides the evaluator, and the Debian package that
# `cpack -G DEB` makes of it in a build folder (`make dist` uses a static build for that).

# The picture program may be defined anywhere in the project, also after this file is read:
# the check runs once the whole top folder has been read.
function(zel_install_picture_program)
  if(TARGET zelmiranke-view)
    install(TARGETS zelmiranke-view RUNTIME DESTINATION bin)
  endif()
endfunction()
cmake_language(DEFER CALL zel_install_picture_program)

if(WIN32 OR NOT UNIX)
  return()
endif()

set(ZEL_PACKAGE ozi18zelmiranke)

# The manual page carries the project version. Debian installs manual pages compressed; -n
# keeps the name and time out of the gzip header so that the same page gives the same bytes.
set(zel_man_page ${CMAKE_CURRENT_BINARY_DIR}/Ozi18Zelmiranke.1)
configure_file(packaging/Ozi18Zelmiranke.1.in ${zel_man_page} @ONLY)
set(zel_man_page_gz ${CMAKE_CURRENT_BINARY_DIR}/Ozi18Zelmiranke.1.gz)
add_custom_command(OUTPUT ${zel_man_page_gz}
  COMMAND gzip -9n -c ${zel_man_page} > ${zel_man_page_gz}
  DEPENDS ${zel_man_page}
  COMMENT "Compressing the manual page")
add_custom_target(man_page ALL DEPENDS ${zel_man_page_gz})
install(FILES ${zel_man_page_gz} DESTINATION share/man/man1)
install(FILES README.md DESTINATION share/doc/${ZEL_PACKAGE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZEL_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(ZEL_PACKAGE_MAINTAINER "Zelmiranke evaluator developers <zelmiranke@example.invalid>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "evaluator of the competition task Zelmiranke")
# The programs are linked statically (ZEL_STATIC), so the package depends on nothing.
# CPack puts the summary line first and indents these lines as the control file wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ozi18Zelmiranke reads the official task input and one contestant's
submission, checks every block of rectangles against its test case and
writes a small report for a grading system: OK with the rectangle counts,
or a failure line naming the check, and -1.")
include(CPack)
