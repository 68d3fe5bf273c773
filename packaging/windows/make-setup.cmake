# Writes the NSIS script for the program as built (its size goes to Windows'
# list of programs) and runs makensis on it.
#   cmake -D MAKENSIS=... -D TEMPLATE=... -D SCRIPT=... -D EXE=... -D SETUP=...
#         -D VERSION=... -D PUBLISHER=... -D ICON=... -P make-setup.cmake
file(SIZE "${EXE}" bytes)
math(EXPR TARVELO_EXE_KIB "(${bytes} + 1023) / 1024")
set(PROJECT_VERSION "${VERSION}")
set(TARVELO_PUBLISHER "${PUBLISHER}")
set(TARVELO_ICON "${ICON}")
set(TARVELO_EXE "${EXE}")
set(TARVELO_SETUP_FILE "${SETUP}")
configure_file("${TEMPLATE}" "${SCRIPT}" @ONLY)
execute_process(COMMAND "${MAKENSIS}" -V2 -NOCD "${SCRIPT}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "makensis failed on ${SCRIPT}")
endif()
