# Installs the build into a fresh prefix and checks what a desktop needs:
# the program, its data files, the launcher (which desktop-file-validate must
# accept), the icon and the two file types. Run by ctest with BUILD_DIR and
# PREFIX set.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(expected
    bin/corvellan
    share/corvellan/instruct.doc
    share/corvellan/CvOSpIns.doc
    share/corvellan/Exhaust.wav
    share/corvellan/Error.wav
    share/corvellan/examples/five-inch-gauge.dco
    share/corvellan/examples/seven-and-a-quarter-inch-gauge.dco
    share/corvellan/examples/five-inch-gauge-balanced.dco
    share/applications/corvellan.desktop
    share/icons/hicolor/scalable/apps/corvellan.svg
    share/mime/packages/corvellan.xml)
foreach(f ${expected})
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/corvellan" --version RESULT_VARIABLE status
                OUTPUT_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "^corvellan [0-9]")
  message(FATAL_ERROR "the installed program does not run: ${status} ${version}")
endif()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing (tools/setup.sh installs desktop-file-utils)")
endif()
set(desktop "${PREFIX}/share/applications/corvellan.desktop")
execute_process(COMMAND "${VALIDATE}" "${desktop}" RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR out MATCHES "error:")
  message(FATAL_ERROR "desktop-file-validate rejects the launcher:\n${out}")
endif()

# The launcher opens both types, and the MIME package defines them by name.
file(READ "${desktop}" launcher)
file(READ "${PREFIX}/share/mime/packages/corvellan.xml" types)
foreach(ext dco oca)
  if(NOT launcher MATCHES "MimeType=[^\n]*application/x-corvellan-${ext};")
    message(FATAL_ERROR "the launcher does not open .${ext} files")
  endif()
  if(NOT types MATCHES "type=\"application/x-corvellan-${ext}\"" OR
     NOT types MATCHES "pattern=\"\\*\\.${ext}\"")
    message(FATAL_ERROR "the MIME package does not register .${ext}")
  endif()
endforeach()
if(NOT launcher MATCHES "\nExec=corvellan %f")
  message(FATAL_ERROR "the launcher does not hand the file to the program")
endif()
message(STATUS "installed into ${PREFIX}")
