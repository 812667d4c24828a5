# nlohmann-json and CLI11, header-only, from Debian's packages. The native
# build finds them by their CMake packages; a cross build must not see the
# rest of /usr/include (glibc's headers would shadow MinGW's), so it gets a
# folder holding links to just these two.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 REQUIRED)
  find_package(CLI11 REQUIRED)
  return()
endif()

set(FILEDATA_HOST_INCLUDE /usr/include CACHE PATH "Where the header-only libraries' headers are")
set(header_links ${CMAKE_BINARY_DIR}/header-libraries)
foreach(folder nlohmann CLI)
  if(NOT EXISTS ${FILEDATA_HOST_INCLUDE}/${folder})
    message(FATAL_ERROR "${FILEDATA_HOST_INCLUDE}/${folder} is missing; run scripts/install-deps.sh")
  endif()
  file(MAKE_DIRECTORY ${header_links})
  file(CREATE_LINK ${FILEDATA_HOST_INCLUDE}/${folder} ${header_links}/${folder} SYMBOLIC)
endforeach()
foreach(target nlohmann_json::nlohmann_json CLI11::CLI11)
  string(REPLACE "::" "_" name ${target})
  add_library(${name} INTERFACE)
  target_include_directories(${name} SYSTEM INTERFACE ${header_links})
  add_library(${target} ALIAS ${name})
endforeach()
