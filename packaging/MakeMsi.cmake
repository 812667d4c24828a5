# Makes the Windows Installer package of one architecture with wixl, from a
# folder of the files to install (the release zip's staging folder):
#   cmake -DMSI_VERSION=1.0.0 -DMSI_ARCH=win32 -DMSI_STAGE=folder -DMSI_OUTPUT=file.msi
#         -DMSI_WORK=folder -DMSI_ROWS_TOOL=path [-DMSI_WIXL=path] -P MakeMsi.cmake
# The class's registry rows are printed by the build's registry-rows tool
# (RegistryRowsTool.cpp) with registration's own code and the plug-in
# class's facts; the install test holds them against what regsvr32 writes.
cmake_minimum_required(VERSION 3.25)

foreach(required MSI_VERSION MSI_ARCH MSI_STAGE MSI_OUTPUT MSI_WORK MSI_ROWS_TOOL)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "MakeMsi.cmake: ${required} is not set")
  endif()
endforeach()
if(NOT MSI_WIXL)
  find_program(MSI_WIXL wixl)
endif()
if(NOT MSI_WIXL)
  message(FATAL_ERROR "wixl is missing, so no MSI can be made: run scripts/install-deps.sh (Debian's package wixl)")
endif()

# The plug-in's file, whose base name begins its ProgID.
set(library_name QeltGen_Filedata)

# Fixed for ever, one per architecture: a newer package of the same
# architecture upgrades an older one, and the 32- and 64-bit packages may
# be installed side by side (for a 32-bit and a 64-bit host).
set(namespace 3F1C5E2A-8B7D-4C6E-9A1F-2D4B6C8E0A13)
if(MSI_ARCH STREQUAL win32)
  set(FILEDATA_MSI_UPGRADE_CODE 6E2F1A94-3C5B-4D7E-8F90-A1B2C3D4E5F6)
  set(FILEDATA_MSI_PROGRAM_FILES ProgramFilesFolder)
  set(FILEDATA_MSI_BITS 32)
  set(FILEDATA_MSI_HOSTS "For the Qelt host, a 32-bit program, on 32- and 64-bit Windows alike.")
  set(wixl_arch x86)
  set(win64 no)
elseif(MSI_ARCH STREQUAL win64)
  set(FILEDATA_MSI_UPGRADE_CODE 9B8A7C6D-5E4F-4A3B-8C2D-1E0F9A8B7C6D)
  set(FILEDATA_MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(FILEDATA_MSI_BITS 64)
  set(FILEDATA_MSI_HOSTS "For 64-bit hosts only; a 32-bit host needs the 32-bit package.")
  set(wixl_arch x64)
  set(win64 yes)
else()
  message(FATAL_ERROR "MakeMsi.cmake: MSI_ARCH is win32 or win64, not ${MSI_ARCH}")
endif()
set(FILEDATA_MSI_VERSION ${MSI_VERSION})
# A product code of each version, the same for every build of it.
string(UUID FILEDATA_MSI_PRODUCT_CODE NAMESPACE ${namespace} NAME "Filedata ${MSI_ARCH} ${MSI_VERSION}" TYPE SHA1 UPPER)

function(component_guid out name)
  string(UUID guid NAMESPACE ${namespace} NAME "${MSI_ARCH} ${name}" TYPE SHA1 UPPER)
  set(${out} ${guid} PARENT_SCOPE)
endfunction()

# The class's rows, with {path} the DLL's short path, as registration
# writes a path with a space (the Program Files folders have one).
execute_process(COMMAND ${MSI_ROWS_TOOL} ${library_name} "[!PluginDll]" OUTPUT_VARIABLE rows COMMAND_ERROR_IS_FATAL ANY)

# One component a file, keyed by the file.
set(FILEDATA_MSI_FILES "")
set(FILEDATA_MSI_SAMPLES "")
set(FILEDATA_MSI_MENU "")
set(FILEDATA_MSI_COMPONENT_REFS "")
function(add_file variable id file extra)
  component_guid(guid ${file})
  string(APPEND ${variable}
         "          <Component Id=\"${id}\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
         "            <File Id=\"${id}\" Name=\"${file}\" Source=\"${file}\" KeyPath=\"yes\"/>\n"
         "${extra}"
         "          </Component>\n")
  set(${variable} "${${variable}}" PARENT_SCOPE)
  set(FILEDATA_MSI_COMPONENT_REFS "${FILEDATA_MSI_COMPONENT_REFS}      <ComponentRef Id=\"${id}\"/>\n" PARENT_SCOPE)
endfunction()

# Every file of the staging folder: the plug-in with its registry rows,
# the tools and the texts at the top, the sample in its folder.
file(GLOB top_files RELATIVE ${MSI_STAGE} ${MSI_STAGE}/*)
list(SORT top_files)
foreach(file IN LISTS top_files)
  if(IS_DIRECTORY ${MSI_STAGE}/${file})
    continue()
  elseif(file STREQUAL ${library_name}.dll)
    add_file(FILEDATA_MSI_FILES PluginDll ${file} "${rows}")
  else()
    string(MAKE_C_IDENTIFIER ${file} id)
    add_file(FILEDATA_MSI_FILES ${id} ${file} "")
  endif()
endforeach()
file(GLOB samples RELATIVE ${MSI_STAGE}/sample ${MSI_STAGE}/sample/*)
foreach(file IN LISTS samples)
  string(MAKE_C_IDENTIFIER sample_${file} id)
  add_file(FILEDATA_MSI_SAMPLES ${id} sample/${file} "")
  string(REPLACE "Name=\"sample/${file}\"" "Name=\"${file}\"" FILEDATA_MSI_SAMPLES "${FILEDATA_MSI_SAMPLES}")
endforeach()
if(EXISTS ${MSI_STAGE}/filedata-tester.exe)
  component_guid(guid "Start menu")
  string(CONCAT FILEDATA_MSI_MENU
      "          <Component Id=\"Menu\" Guid=\"${guid}\" Win64=\"${win64}\">\n"
      "            <Shortcut Id=\"TesterShortcut\" Name=\"Filedata Tester\" Description=\"Set up a Filedata reading and watch it live\"\n"
      "                      Target=\"[#filedata_tester_exe]\" WorkingDirectory=\"INSTALLDIR\"/>\n"
      "            <RemoveFolder Id=\"RemoveMenu\" On=\"uninstall\"/>\n"
      "          </Component>")
  string(APPEND FILEDATA_MSI_COMPONENT_REFS "      <ComponentRef Id=\"Menu\"/>\n")
endif()

file(MAKE_DIRECTORY ${MSI_WORK})
set(wxs ${MSI_WORK}/Filedata-${MSI_VERSION}-${MSI_ARCH}.wxs)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Filedata.wxs.in ${wxs} @ONLY)
get_filename_component(output "${MSI_OUTPUT}" ABSOLUTE)
# wixl takes the files' sources relative to where it runs.
execute_process(COMMAND ${MSI_WIXL} -a ${wixl_arch} -o ${output} ${wxs} WORKING_DIRECTORY ${MSI_STAGE}
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "MSI: ${output}")
