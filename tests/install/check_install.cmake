# The install step, run as a ctest test: installs the build folder BUILD_DIR
# into a fresh PREFIX and checks the tree (the engine, morvi.ini and morvi.book
# in ENGINE_DIR, a relative link to the engine in BIN_DIR, xboard's engine-list
# file in ENG_DIR, gnome-chess's entries in DATA_DIR), then starts the installed engine through the link from
# another working folder and checks that it reads the installed profile and
# book. SOURCE_DIR is the source tree (the shipped profile and book).
cmake_minimum_required(VERSION 3.20)

foreach(var BUILD_DIR SOURCE_DIR PREFIX ENGINE_DIR BIN_DIR ENG_DIR DATA_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_install.cmake needs -D ${var}=...")
  endif()
endforeach()

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

# Runs the engine named by the arguments with "quit" as its input, in the
# working folder, and checks its farewell and exit code 0.
function(run_engine label)
  execute_process(COMMAND ${ARGN}
    INPUT_FILE "${work_dir}/quit.txt" WORKING_DIRECTORY "${work_dir}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(NOT rc STREQUAL "0")
    fail("${label}: exit code '${rc}' (0 expected)\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  string(FIND "${out}" "Engine started" started)
  string(FIND "${out}" "Thanks for playing" farewell)
  if(started EQUAL -1 OR farewell EQUAL -1)
    fail("${label}: no start-up text or farewell\nstdout:\n${out}\nstderr:\n${err}")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cmake --install failed (${rc}):\n${out}")
endif()

# The engine folder: the real executable, the profile and the book as shipped.
set(engine_dir "${PREFIX}/${ENGINE_DIR}")
foreach(name morvi morvi.ini morvi.book)
  if(NOT EXISTS "${engine_dir}/${name}" OR IS_DIRECTORY "${engine_dir}/${name}"
     OR IS_SYMLINK "${engine_dir}/${name}")
    fail("not installed as a file: ${engine_dir}/${name}")
  endif()
endforeach()
foreach(name morvi.ini morvi.book)
  file(SHA256 "${SOURCE_DIR}/${name}" shipped)
  file(SHA256 "${engine_dir}/${name}" installed)
  if(NOT shipped STREQUAL installed)
    fail("${engine_dir}/${name} differs from ${SOURCE_DIR}/${name}")
  endif()
endforeach()

# gnome-chess's entries, as shipped.
file(SHA256 "${SOURCE_DIR}/packaging/gnome-chess-engines.conf" shipped)
set(entries "${PREFIX}/${DATA_DIR}/gnome-chess-engines.conf")
if(NOT EXISTS "${entries}")
  fail("not installed: ${entries}")
endif()
file(SHA256 "${entries}" installed)
if(NOT shipped STREQUAL installed)
  fail("${entries} differs from the shipped packaging/gnome-chess-engines.conf")
endif()

# The link: relative (the tree can move), and leading to the real executable.
set(link "${PREFIX}/${BIN_DIR}/morvi")
if(NOT IS_SYMLINK "${link}")
  fail("not a symbolic link: ${link}")
endif()
file(READ_SYMLINK "${link}" link_target)
if(IS_ABSOLUTE "${link_target}")
  fail("${link} points to an absolute path: ${link_target}")
endif()
file(REAL_PATH "${link}" link_real)
file(REAL_PATH "${engine_dir}/morvi" engine_real)
if(NOT link_real STREQUAL engine_real)
  fail("${link} leads to ${link_real}, not to ${engine_real}")
endif()

# xboard's engine-list file: the fixed first line of xboard's engine-list
# format (the same in Debian's own engine packages), the command (the link
# by its full path), the variants.
set(eng "${PREFIX}/${ENG_DIR}/morvi.eng")
if(NOT EXISTS "${eng}")
  fail("not installed: ${eng}")
endif()
file(READ "${eng}" eng_text)
include("${SOURCE_DIR}/packaging/eng_format.cmake")
set(expected "${MORVI_ENG_HEADER}\n${link}\nchess\n")
if(NOT eng_text STREQUAL expected)
  fail("${eng} reads\n${eng_text}\ninstead of\n${expected}")
endif()

# The installed engine, started through the link from another folder, by its
# full path and by its name on the PATH.
set(work_dir "${PREFIX}/work")
file(MAKE_DIRECTORY "${work_dir}")
file(WRITE "${work_dir}/quit.txt" "quit\n")
run_engine("${link}" "${link}")

# With a debug log set in the installed profile, the log appears in the engine
# folder and names the installed book as opened.
file(READ "${engine_dir}/morvi.ini" profile)
string(REGEX REPLACE "\nDebugFile=[^\n]*" "\nDebugFile=install-check.log" profile "${profile}")
if(NOT profile MATCHES "\nDebugFile=install-check.log")
  fail("no DebugFile key in ${engine_dir}/morvi.ini")
endif()
file(WRITE "${engine_dir}/morvi.ini" "${profile}")
run_engine("morvi on the PATH"
  "${CMAKE_COMMAND}" -E env "PATH=${PREFIX}/${BIN_DIR}:$ENV{PATH}" morvi)
get_filename_component(engine_real_dir "${engine_real}" DIRECTORY)
set(log "${engine_real_dir}/install-check.log")
if(NOT EXISTS "${log}")
  fail("the installed profile was not read: no ${log}")
endif()
file(READ "${log}" log_text)
string(FIND "${log_text}" "Book file openned: ${engine_real_dir}/morvi.book" book_opened)
if(book_opened EQUAL -1)
  fail("the installed book was not opened; the log reads:\n${log_text}")
endif()
foreach(stray "${PREFIX}/${BIN_DIR}/install-check.log" "${work_dir}/install-check.log")
  if(EXISTS "${stray}")
    fail("the log was written beside the link or in the working folder: ${stray}")
  endif()
endforeach()
