# The installable package: `cmake --install` puts the headers under include/LumTools (by
# their paths from the repository root), the libraries under lib, and LumToolsConfig.cmake
# under lib/cmake/LumTools, so that an application finds it with find_package(LumTools) and
# links LumTools::LumTools.

include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LUM_PACKAGE_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/LumTools)
set(LUM_PACKAGE_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/LumTools)

# lum_install_package(FOLDERS folder... TARGETS target...): the targets' include directory is
# the repository root while building and include/LumTools once installed.
function(lum_install_package)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "" "FOLDERS;TARGETS")
  foreach(target IN LISTS ARG_TARGETS)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
      "$<BUILD_INTERFACE:${LUM_ROOT}>;$<INSTALL_INTERFACE:${LUM_PACKAGE_INCLUDE_DIR}>")
  endforeach()

  # What an application links: the library and, when it was built with the sanitizers, their
  # run-time libraries.
  add_library(lum_package INTERFACE)
  set_target_properties(lum_package PROPERTIES EXPORT_NAME LumTools)
  target_link_libraries(lum_package INTERFACE lumtools)
  if(LUM_SANITIZE)
    target_link_options(lum_package INTERFACE -fsanitize=address,undefined)
  endif()
  add_library(LumTools::LumTools ALIAS lum_package)

  install(TARGETS ${ARG_TARGETS} lum_package EXPORT LumToolsTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT LumToolsTargets NAMESPACE LumTools:: DESTINATION ${LUM_PACKAGE_CONFIG_DIR})
  foreach(folder IN LISTS ARG_FOLDERS)
    if(EXISTS ${LUM_ROOT}/${folder})
      install(DIRECTORY ${LUM_ROOT}/${folder}/ DESTINATION ${LUM_PACKAGE_INCLUDE_DIR}/${folder}
              FILES_MATCHING PATTERN "*.h")
    endif()
  endforeach()

  configure_package_config_file(${LUM_ROOT}/cmake/LumToolsConfig.cmake.in
                                ${CMAKE_BINARY_DIR}/LumToolsConfig.cmake
                                INSTALL_DESTINATION ${LUM_PACKAGE_CONFIG_DIR})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/LumToolsConfigVersion.cmake
                                   COMPATIBILITY SameMinorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/LumToolsConfig.cmake
                ${CMAKE_BINARY_DIR}/LumToolsConfigVersion.cmake
          DESTINATION ${LUM_PACKAGE_CONFIG_DIR})
endfunction()
