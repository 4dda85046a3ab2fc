# sqlite3.dll from the official amalgamation, as shipped unchanged inside the
# better-sqlite3 npm package (Debian carries no Windows build of it). The
# tarball is pinned by version and checked against its SHA-512.
set(SQLITE_NPM_VERSION 12.9.0)
set(SQLITE_NPM_SHA512 c2a52fe069b7b681691c342668a0f8421666de0d438d4048d32cd2e14065ea51255265c561d4d09a6103a4015ae68f058858b2994472a449df547cc82ca6b1a9)
set(_sq_dir ${CMAKE_BINARY_DIR}/_deps/sqlite)
set(_sq_tgz ${_sq_dir}/better-sqlite3-${SQLITE_NPM_VERSION}.tgz)
set(SQLITE_AMALGAMATION ${_sq_dir}/package/deps/sqlite3)

if(NOT EXISTS ${SQLITE_AMALGAMATION}/sqlite3.c)
  file(MAKE_DIRECTORY ${_sq_dir})
  if(NOT EXISTS ${_sq_tgz})
    find_program(NPM_EXECUTABLE npm REQUIRED)
    execute_process(COMMAND ${NPM_EXECUTABLE} pack better-sqlite3@${SQLITE_NPM_VERSION} --silent
                    WORKING_DIRECTORY ${_sq_dir} RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
      message(FATAL_ERROR "npm pack better-sqlite3@${SQLITE_NPM_VERSION} failed")
    endif()
  endif()
  file(SHA512 ${_sq_tgz} _sum)
  if(NOT _sum STREQUAL SQLITE_NPM_SHA512)
    file(REMOVE ${_sq_tgz})
    message(FATAL_ERROR "better-sqlite3 tarball does not match its pinned SHA-512")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${_sq_tgz} DESTINATION ${_sq_dir}
       PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
endif()

add_library(sqlite3 SHARED ${SQLITE_AMALGAMATION}/sqlite3.c)
set_target_properties(sqlite3 PROPERTIES PREFIX "" OUTPUT_NAME sqlite3
                      RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})
# Pages are read through a mapping of the database file: under Wine each
# ReadFile of a page costs several times what SQLite does with it, and a
# list of tens of thousands of games reads thousands of pages.
target_compile_definitions(sqlite3 PRIVATE "SQLITE_API=__declspec(dllexport)"
                           SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_MMAP_SIZE=268435456)
target_compile_options(sqlite3 PRIVATE -O2 -w)
