# What `cmake --install` puts on a machine besides the programs, and the Debian package that
# `cpack -G DEB` makes of it in a build folder (`make dist` uses a static build for that).

if(WIN32 OR NOT UNIX)
  return()
endif()

set(ZEL_PACKAGE ozi18zelmiranke)

# The compiler's version notes (.comment) are of no use on a grading machine; Debian's own
# packages leave them out too. The install step runs after the programs are installed, so that
# dist/ and the package hold the same bytes.
if(CMAKE_OBJCOPY)
  install(CODE "
    file(GLOB zel_programs \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/*\")
    foreach(program IN LISTS zel_programs)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${program}\"
                      RESULT_VARIABLE zel_result)
      if(NOT zel_result EQUAL 0)
        message(FATAL_ERROR \"objcopy failed on \${program}\")
      endif()
    endforeach()")
endif()

# Every program has its manual page, packaging/<program>.1.in, which carries the project
# version. Debian installs manual pages compressed; -n keeps the name and time out of the gzip
# header so that the same page gives the same bytes.
function(zel_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9n -c ${source} > ${target}
    DEPENDS ${source}
    COMMENT "Compressing ${source}")
  get_filename_component(name ${target} NAME)
  add_custom_target(gzip_${name} ALL DEPENDS ${target})
endfunction()

function(zel_man_page program)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${program}.1.in
                 ${PROJECT_BINARY_DIR}/${program}.1 @ONLY)
  zel_gzip(${PROJECT_BINARY_DIR}/${program}.1 ${PROJECT_BINARY_DIR}/${program}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/${program}.1.gz DESTINATION share/man/man1)
endfunction()

# A page only for a program that is built; the check runs once the whole top folder has been
# read, so a program may be defined after this file.
function(zel_man_pages)
  foreach(program Ozi18Zelmiranke zelmiranke-view zelmiranke-judge)
    if(TARGET ${program})
      zel_man_page(${program})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL zel_man_pages)

# The README links the pages of docs/, and they link the picture: all of it ships, side by side
# as in the source tree, so that no link dangles.
install(FILES README.md DESTINATION share/doc/${ZEL_PACKAGE})
file(GLOB zel_doc_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${zel_doc_pages} docs/view-example.png docs/web-page.png
        DESTINATION share/doc/${ZEL_PACKAGE}/docs)

# What Debian wants of a package: the copyright file, the Debian changelog (compressed as
# the manual pages are) and the override that declares the static programs intended.
install(FILES packaging/copyright DESTINATION share/doc/${ZEL_PACKAGE})
zel_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian.gz DESTINATION share/doc/${ZEL_PACKAGE})
install(FILES packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ${ZEL_PACKAGE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZEL_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision: the package is built from its own packaging files, and its changelog
# (packaging/changelog, whose first entry must carry this version) is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
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
or a failure line naming the check, and -1. zelmiranke-judge runs the same
evaluation as an output validator or checker for Kattis, DOMjudge, CMS,
testlib and ejudge, or prints it as JSON; zelmiranke-view draws why a
submission failed as an SVG picture.")
include(CPack)
