# cmake -DSRC=<folder> -DDST=<folder> -P CopyMissing.cmake
# Copies the files of SRC into DST that DST does not have yet. An operator's edited data
# files beside a development build survive every rebuild.
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
foreach(f IN LISTS files)
  if(NOT EXISTS "${DST}/${f}")
    get_filename_component(dir "${DST}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${SRC}/${f}" "${DST}/${f}")
  endif()
endforeach()
