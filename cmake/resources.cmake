# The resources of the game in binary form, for the builds that do not link a Windows
# executable (Linux and headless): they embed res/vantorel.res and read it themselves.
#
#   include(${PROJECT_SOURCE_DIR}/cmake/resources.cmake)
#   vantorel_compile_res(res_file)        # res_file = <build>/res/vantorel.res
#   add_dependencies(my_target vantorel_res)
#
# The custom command and the target `vantorel_res` are made once, whichever folder asks first;
# later calls only answer the path. The Windows build does not use this: it lists
# res/vantorel.rc among the executable's sources and CMake's RC language compiles it.

set(VANTOREL_RES_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../res)
cmake_path(NORMAL_PATH VANTOREL_RES_SOURCE_DIR)

function(vantorel_compile_res OUT_VAR)
  set(res_file ${CMAKE_BINARY_DIR}/res/vantorel.res)
  if(NOT TARGET vantorel_res)
    find_program(VANTOREL_WINDRES NAMES i686-w64-mingw32-windres windres
                 DOC "Resource compiler that turns res/vantorel.rc into vantorel.res")
    if(NOT VANTOREL_WINDRES)
      message(FATAL_ERROR "No resource compiler found (i686-w64-mingw32-windres or windres); "
                          "scripts/install-deps.sh installs binutils-mingw-w64-i686.")
    endif()
    set(src ${VANTOREL_RES_SOURCE_DIR})
    file(GLOB res_inputs CONFIGURE_DEPENDS ${src}/*.bmp ${src}/*.ico ${src}/*.h)
    add_custom_command(
      OUTPUT ${res_file}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
      COMMAND ${VANTOREL_WINDRES} --include-dir ${src} --input ${src}/vantorel.rc
              --input-format rc --output-format res --output ${res_file}
      DEPENDS ${src}/vantorel.rc ${res_inputs}
      WORKING_DIRECTORY ${src}
      COMMENT "Compiling the resources into vantorel.res"
      VERBATIM)
    # Global: targets of any folder may depend on it.
    add_custom_target(vantorel_res DEPENDS ${res_file})
    set_property(GLOBAL PROPERTY VANTOREL_RES_FILE ${res_file})
  endif()
  set(${OUT_VAR} ${res_file} PARENT_SCOPE)
endfunction()
