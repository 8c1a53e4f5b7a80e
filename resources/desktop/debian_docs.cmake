# Run by CPack in the staging folder before the Debian package is packed: compresses the manual pages
# and writes the copyright file and the changelog that every Debian package carries (the package
# is native: its version has no Debian revision, so the changelog is changelog.gz).
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")

# gzip -9n: the best compression and no name or time stamp inside, so the same files give the same bytes.
function(compress file)
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${file}")
  endif()
endfunction()

file(GLOB pages "${root}/share/man/man6/*.6")
foreach(page IN LISTS pages)
  compress("${page}")
endforeach()

file(READ "${CPACK_MIROVANE_LICENSE}" license)
file(WRITE "${doc}/copyright"
  "Mirovane, the puzzle game and its companion tool mirovane-cli, is distributed under the MIT\n"
  "(Expat) licence:\n\n${license}")
file(REMOVE "${doc}/LICENSE")  # the copyright file holds it

execute_process(COMMAND date -u -R -d "${CPACK_MIROVANE_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE released OUTPUT_STRIP_TRAILING_WHITESPACE)
file(WRITE "${doc}/changelog"
  "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
  "  * Release ${CPACK_PACKAGE_VERSION}: the game installs with its menu entry, icons, software-centre\n"
  "    metadata and manual pages.\n\n"
  " -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${released}\n")
compress("${doc}/changelog")
