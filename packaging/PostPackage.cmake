# Run by CPack after it wrote the zip: the MSI of the same files beside it,
# then SHA256SUMS of both.
# The zip is still in CPack's own folder; both end up in CPACK_PACKAGE_DIRECTORY.
set(out ${CPACK_PACKAGE_DIRECTORY})
set(msi ${out}/${CPACK_PACKAGE_FILE_NAME}.msi)
# The zip's staging folder, with its top folder inside.
set(stage ${CPACK_TEMPORARY_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME})
if(NOT EXISTS ${stage}/QeltGen_Filedata.dll)
  set(stage ${CPACK_TEMPORARY_DIRECTORY})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -DMSI_VERSION=${CPACK_PACKAGE_VERSION} -DMSI_ARCH=${CPACK_FILEDATA_ARCH}
          -DMSI_STAGE=${stage} -DMSI_OUTPUT=${msi} -DMSI_WORK=${out}/msi -DMSI_ROWS_TOOL=${CPACK_FILEDATA_ROWS_TOOL}
          -P ${CPACK_FILEDATA_MAKE_MSI}
  COMMAND_ERROR_IS_FATAL ANY)
set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES msi)
  file(SHA256 ${package} hash)
  get_filename_component(name ${package} NAME)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${out}/SHA256SUMS "${sums}")
message(STATUS "SHA256SUMS: ${out}/SHA256SUMS")
