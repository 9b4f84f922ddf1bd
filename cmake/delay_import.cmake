# Import libraries whose DLL loads at its first call rather than at the program's
# start (GNU ld's delay-load imports), made with dlltool from the toolchain's own
# import library so that every function of the DLL is there.

string(REGEX REPLACE "-g\\+\\+(-posix)?$" "" KAVRONA_TRIPLE "${CMAKE_CXX_COMPILER}")
find_program(KAVRONA_DLLTOOL NAMES ${KAVRONA_TRIPLE}-dlltool dlltool REQUIRED)
find_program(KAVRONA_NM NAMES ${KAVRONA_TRIPLE}-nm nm REQUIRED)

# Sets `out` to a delay-load import library for the toolchain's lib`lib`.a, whose DLL
# is the file `dll` (shell32.dll, winspool.drv).
function(kavrona_delay_import out lib dll)
  find_library(import_${lib} NAMES lib${lib}.a REQUIRED)
  execute_process(COMMAND ${KAVRONA_NM} -g ${import_${lib}} OUTPUT_VARIABLE symbols
    COMMAND_ERROR_IS_FATAL ANY)
  # 32-bit symbols carry one more underscore, and __stdcall ones their @N.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix "__imp__")
  else()
    set(prefix "__imp_")
  endif()
  string(REGEX MATCHALL " I ${prefix}[^\n]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE " I ${prefix}" "")
  list(JOIN imports "\n" exports)
  set(dir ${CMAKE_BINARY_DIR}/delay-import)
  file(WRITE ${dir}/${lib}.def "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${KAVRONA_DLLTOOL} --kill-at --def ${dir}/${lib}.def
    --dllname ${dll} --output-delaylib ${dir}/lib${lib}_delay.a COMMAND_ERROR_IS_FATAL ANY)
  set(${out} ${dir}/lib${lib}_delay.a PARENT_SCOPE)
endfunction()
