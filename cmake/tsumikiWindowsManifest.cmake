# tsumiki_windows_manifest(<target> [DPI_AWARE] [VISUAL_STYLES])
#
# Embeds an application manifest in an executable target, compiled by windres as
# resource 1 of type 24 (RT_MANIFEST). The manifest always names the Windows versions the
# program supports (Vista to 11), so that the system gives it their behaviour, and asks
# to run as the invoking user.
#   DPI_AWARE      the program scales itself: per-monitor (v2) DPI awareness, falling
#                  back to per-monitor (Windows 8.1) and system awareness (Vista to 8)
#   VISUAL_STYLES  common controls version 6: controls in the system's current look
# A target can carry one manifest: a second call, or a target with a .manifest source or
# a .rc source that declares RT_MANIFEST, is a configuration error.

function(tsumiki_windows_manifest target)
  cmake_parse_arguments(PARSE_ARGV 1 TWM "DPI_AWARE;VISUAL_STYLES" "" "")
  if(TWM_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tsumiki_windows_manifest(${target}): unknown arguments "
                        "${TWM_UNPARSED_ARGUMENTS}; expected DPI_AWARE and VISUAL_STYLES")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tsumiki_windows_manifest: ${target} is not a target")
  endif()
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "EXECUTABLE")
    message(FATAL_ERROR "tsumiki_windows_manifest(${target}): an application manifest "
                        "belongs to a program, and ${target} is a ${type}")
  endif()
  _tsumiki_check_no_manifest(${target})

  set(settings "")
  if(TWM_DPI_AWARE)
    string(APPEND settings [=[
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
    </windowsSettings>
  </application>
]=])
  endif()
  if(TWM_VISUAL_STYLES)
    string(APPEND settings [=[
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
]=])
  endif()

  set(folder "${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest")
  set(manifest "${folder}/${target}.manifest")
  file(CONFIGURE OUTPUT "${manifest}" @ONLY CONTENT [=[
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">
    <application>
      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/><!-- Windows 10 and 11 -->
      <supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/><!-- Windows 8.1 -->
      <supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/><!-- Windows 8 -->
      <supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/><!-- Windows 7 -->
      <supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/><!-- Windows Vista -->
    </application>
  </compatibility>
@settings@</assembly>
]=])
  # 1 is CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 is RT_MANIFEST.
  file(CONFIGURE OUTPUT "${folder}/${target}_manifest.rc" CONTENT "1 24 \"${target}.manifest\"\n")

  _tsumiki_windres(windres)
  set(object "${folder}/${target}_manifest.o")
  add_custom_command(OUTPUT "${object}"
    COMMAND "${windres}" -O coff -i "${target}_manifest.rc" -o "${object}"
    WORKING_DIRECTORY "${folder}"
    DEPENDS "${manifest}" "${folder}/${target}_manifest.rc"
    COMMENT "Embedding the application manifest of ${target}"
    VERBATIM)
  set_source_files_properties("${object}" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE "${object}")
  set_target_properties(${target} PROPERTIES TSUMIKI_WINDOWS_MANIFEST "${manifest}")
endfunction()

# Stops with an error when the target has an application manifest already.
function(_tsumiki_check_no_manifest target)
  get_target_property(earlier ${target} TSUMIKI_WINDOWS_MANIFEST)
  if(earlier)
    message(FATAL_ERROR "tsumiki_windows_manifest(${target}): ${target} has a manifest "
                        "already (${earlier}); a program carries one: call it once")
  endif()
  get_target_property(sources ${target} SOURCES)
  get_target_property(sourceDir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.manifest$")
      message(FATAL_ERROR "tsumiki_windows_manifest(${target}): ${target} has a manifest "
                          "already (${source}); a program carries one")
    endif()
    if(source MATCHES "\\.rc$")
      get_filename_component(path "${source}" ABSOLUTE BASE_DIR "${sourceDir}")
      if(EXISTS "${path}")
        file(STRINGS "${path}" declarations REGEX "^[ \t]*[A-Za-z0-9_]+[ \t]+(RT_MANIFEST|24)[ \t]")
        if(declarations)
          message(FATAL_ERROR "tsumiki_windows_manifest(${target}): ${source} declares a "
                              "manifest already; a program carries one")
        endif()
      endif()
    endif()
  endforeach()
endfunction()

# The resource compiler: the toolchain's, or windres beside the C++ compiler.
function(_tsumiki_windres result)
  set(windres "${CMAKE_RC_COMPILER}")
  if(NOT windres)
    get_filename_component(compilerDir "${CMAKE_CXX_COMPILER}" DIRECTORY)
    get_filename_component(compilerName "${CMAKE_CXX_COMPILER}" NAME)
    string(REGEX REPLACE "(g\\+\\+|c\\+\\+|clang\\+\\+)(-posix|-win32)?(\\.exe)?$" "windres"
           guessed "${compilerName}")
    find_program(TSUMIKI_WINDRES NAMES "${guessed}" windres HINTS "${compilerDir}")
    set(windres "${TSUMIKI_WINDRES}")
  endif()
  if(NOT windres)
    message(FATAL_ERROR "tsumiki_windows_manifest: no resource compiler (windres) found; "
                        "set CMAKE_RC_COMPILER")
  endif()
  set(${result} "${windres}" PARENT_SCOPE)
endfunction()
