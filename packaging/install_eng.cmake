# Part of the install step (cmake --install): writes xboard's engine-list file
# for the prefix being installed to and installs it. The install code before
# this script sets MORVI_ENG_TEMPLATE, MORVI_ENG_FILE (the file written in the
# build folder), MORVI_ENG_LINK and MORVI_ENG_DIR (both under the prefix).
#
# The file has three lines: the plugin header, the command that starts the
# engine, and the variants it plays. xboard copies the command line as it is
# into its engine list (quoted when it holds blanks), so xboard options such
# as -firstProtocolVersion cannot be given here.
get_filename_component(eng_packaging_dir "${MORVI_ENG_TEMPLATE}" DIRECTORY)
include("${eng_packaging_dir}/eng_format.cmake")
set(MORVI_ENG_COMMAND "${CMAKE_INSTALL_PREFIX}/${MORVI_ENG_LINK}")
file(READ "${MORVI_ENG_TEMPLATE}" eng_text)
string(CONFIGURE "${eng_text}" eng_text @ONLY)
file(WRITE "${MORVI_ENG_FILE}" "${eng_text}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MORVI_ENG_DIR}" TYPE FILE FILES "${MORVI_ENG_FILE}")
