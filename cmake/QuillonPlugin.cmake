# quillon_add_plugin: one plug-in DLL of this kit, with its tests.
#
#   quillon_add_plugin(NAME
#     [SOURCES file...]     the effect's and the editor's sources, and the
#                           createEffectInstance that makes the effect
#     [OBJECTS target...]   object libraries of the plug-in's code that other
#                           targets (tests) share
#     [RESOURCES file...]   resource scripts (.rc) bound into the DLL
#     [PICTURES file...]    what the resource scripts read: a changed picture
#                           binds the resources again
#     [EDITOR]              the plug-in has an editor, which its tests open
#     [SNAPSHOT args...]    plughost editor arguments for the snapshot
#                           (its parameters, say), before --snapshot
#   )
#
# Builds NAME.dll beside plughost in the build folder, for the target the
# build folder was configured for (scripts/test.sh configures both): the
# toolkit and the plug-in layer linked in, PluginMain and main exported, the
# runtime linked statically, stripped in release builds. With the tools
# built, ctest gets the plug-in's tests, labelled with the target:
# validate_NAME runs every check of `plughost validate` on it, and, for a
# plug-in with an editor, snapshot_NAME photographs the editor into
# snapshots/NAME.png in the build folder.
function(quillon_add_plugin name)
  cmake_parse_arguments(PARSE_ARGV 1 plugin "EDITOR" "" "SOURCES;OBJECTS;RESOURCES;PICTURES;SNAPSHOT")
  if(plugin_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quillon_add_plugin(${name}): unknown arguments ${plugin_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT plugin_SOURCES AND NOT plugin_OBJECTS)
    message(FATAL_ERROR "quillon_add_plugin(${name}): no SOURCES or OBJECTS")
  endif()

  # The exports every plug-in has: the entry point under both its names.
  set(exports ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  file(CONFIGURE OUTPUT ${exports} CONTENT "LIBRARY ${name}.dll\nEXPORTS\n  PluginMain\n  main=PluginMain\n")

  set(objects $<TARGET_OBJECTS:plugkit_objs>)
  foreach(library ${plugin_OBJECTS})
    list(APPEND objects $<TARGET_OBJECTS:${library}>)
  endforeach()
  if(plugin_PICTURES)
    set_source_files_properties(${plugin_RESOURCES} PROPERTIES OBJECT_DEPENDS "${plugin_PICTURES}")
  endif()
  add_library(${name} SHARED ${objects} ${plugin_SOURCES} ${plugin_RESOURCES} ${exports})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${QUILLON_SYSTEM_LIBS})
  quillon_plugin_dll(${name})

  if(QUILLON_BUILD_TOOLS)
    add_test(NAME validate_${name} COMMAND plughost validate ${name}.dll WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(validate_${name} PROPERTIES TIMEOUT 1800 LABELS ${QUILLON_TARGET_LABEL})
    if(plugin_EDITOR)
      file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/snapshots)
      add_test(NAME snapshot_${name}
        COMMAND plughost editor ${name}.dll ${plugin_SNAPSHOT} --snapshot snapshots/${name}.png
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      set_tests_properties(snapshot_${name} PROPERTIES TIMEOUT 300 LABELS ${QUILLON_TARGET_LABEL})
    endif()
  endif()
endfunction()
