# add_game_package(<target> ASSETS <folder> GAME <folder> PACKAGE <file>)
#
# Packs an asset folder into the package file (the streamed sounds' Ogg files beside it) and
# adds what the packer generates from the assets and the game's sources to the target: the code
# table, the names the sources use, the rooms' creation code. The packer runs again whenever an
# asset or a game source changes; it rewrites a generated file only when its text changes, so
# the game's sources recompile only when the names they see do, and it re-encodes only the
# sounds whose source changed (the encodings are kept in the build folder's sound-cache).
function(add_game_package target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "ASSETS;GAME;PACKAGE" "")
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_generated)
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${ARG_ASSETS}/* ${ARG_GAME}/*.cpp ${ARG_GAME}/*.h)
  set(sources ${generated}/CodeTable.cpp ${generated}/GameNames.cpp ${generated}/RoomCode.cpp)
  get_filename_component(package_folder ${ARG_PACKAGE} DIRECTORY)
  add_custom_command(
    OUTPUT ${ARG_PACKAGE} ${generated}/CodeTable.h ${generated}/GameNames.h ${sources}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated} ${package_folder}
    COMMAND packer ${ARG_ASSETS} -o ${ARG_PACKAGE} -code ${generated} -game ${ARG_GAME}
            -cache ${CMAKE_BINARY_DIR}/sound-cache
    DEPENDS packer ${inputs}
    COMMENT "Packing ${ARG_ASSETS}"
    VERBATIM)
  target_sources(${target} PRIVATE ${sources})
  # Public, so that tests linking a game library see its generated headers too.
  target_include_directories(${target} PUBLIC ${generated})
endfunction()
