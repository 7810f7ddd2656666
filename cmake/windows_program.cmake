# The Windows player: its Win32 glue, its resources and the link stream that
# the native encoder makes at build time.
enable_language(RC)

add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# Native tools that the Windows build runs: the link-stream generator now,
# grelo-pack for the end-to-end tests.
set(GRELO_HOST_TOOLS_DIR "" CACHE PATH "Folder of an existing native build of the authoring tools")
if(GRELO_HOST_TOOLS_DIR)
  set(GRELO_HOST_BIN ${GRELO_HOST_TOOLS_DIR}/authoring)
  add_custom_target(host_tools)
else()
  include(ExternalProject)
  set(GRELO_HOST_BUILD ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${GRELO_HOST_BUILD}
    CMAKE_ARGS -DGRELO_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
               -DGRELO_LINK_TARGET=${GRELO_LINK_TARGET} -DGRELO_LINK_CAPTION=${GRELO_LINK_CAPTION}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${GRELO_HOST_BUILD}/authoring/grelo-linkgen)
  set(GRELO_HOST_BIN ${GRELO_HOST_BUILD}/authoring)
endif()
set(GRELO_LINKGEN ${GRELO_HOST_BIN}/grelo-linkgen)

set(GRELO_LINK_STREAM_CPP ${CMAKE_BINARY_DIR}/generated/link_stream.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
  OUTPUT ${GRELO_LINK_STREAM_CPP}
  COMMAND ${GRELO_LINKGEN} "${GRELO_LINK_TARGET}" "${GRELO_LINK_CAPTION}" ${GRELO_LINK_STREAM_CPP}
  DEPENDS host_tools
  COMMENT "Encoding the link stream"
  VERBATIM)

add_library(grelo_windows STATIC ${GRELO_WINDOWS_SOURCES} ${GRELO_LINK_STREAM_CPP})
target_link_libraries(grelo_windows PUBLIC grelo_portable ole32 oleaut32 uuid comctl32 gdi32 shell32 user32 kernel32)

set(GRELO_RESOURCES resources/grelo.rc)
set_source_files_properties(resources/grelo.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/grelo.manifest;${CMAKE_SOURCE_DIR}/resources/hand.cur;${CMAKE_SOURCE_DIR}/resources/play.ico;${CMAKE_SOURCE_DIR}/resources/stop.ico;${CMAKE_SOURCE_DIR}/resources/grelo.ico")

add_executable(grelo WIN32 shell/win_main.cpp ${GRELO_RESOURCES})
# Quiz programs are copies of the player: no symbols to carry around.
target_link_options(grelo PRIVATE -s)
target_link_libraries(grelo PRIVATE grelo_windows)
set_target_properties(grelo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# grelo-pack.exe, the authoring command for Windows authors.
add_executable(grelo-pack authoring/grelo_pack_main.cpp)
target_link_libraries(grelo-pack PRIVATE grelo_authoring shell32)
set_target_properties(grelo-pack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# grelo-pack.exe on every example, with the real player, under Wine.
add_test(NAME grelo_pack_examples
  COMMAND ${CMAKE_COMMAND} -DRUNNER=wine -DPACK=$<TARGET_FILE:grelo-pack> -DPLAYER=$<TARGET_FILE:grelo>
          -DEXAMPLES=${CMAKE_SOURCE_DIR}/examples -DWORK=${CMAKE_BINARY_DIR}/grelo-pack-examples
          -P ${CMAKE_SOURCE_DIR}/tests/e2e/grelo_pack_examples.cmake)
