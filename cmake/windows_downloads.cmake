# Makes one of the two Windows downloads from the built Tintora.exe: the
# per-user installer package (MSI=...) or the portable zip (ZIP=...).
#
#   cmake -DSOURCE_DIR=... -DVERSION=X.Y.Z -DEXE=Tintora.exe -DSTAGE=folder
#         -DMSI=Tintora-X.Y.Z-x64.msi -DWIXL=... -DMSIBUILD=... -DFAKETIME=...
#         [-DOLDER_FILE_FOR_TESTING=file] -P windows_downloads.cmake
#   cmake -DSOURCE_DIR=... -DVERSION=X.Y.Z -DEXE=Tintora.exe -DSTAGE=folder
#         -DZIP=Tintora-X.Y.Z-x64.zip -DPYTHON=... -P windows_downloads.cmake
#
# Both are reproducible: every file is stamped with the source date (the
# commit's time, cmake/source_date.cmake), and the installer's product and
# package codes are derived rather than drawn at random. wixl stamps the
# package's summary with the clock and draws a package code, so it runs under
# faketime with the clock stopped at the source date, and msibuild then writes
# the derived package code and the package's language into the summary.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/source_date.cmake)

set(resources ${SOURCE_DIR}/resources)
set(wxs ${resources}/tintora.wxs)

# Runs a command in the staging folder: wixl looks for the files a package
# names in the working folder first.
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${status}): ${command}")
  endif()
endfunction()

# Text files go to Windows users with CRLF line ends.
function(stage_text source destination)
  file(READ ${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${destination} "${text}")
endfunction()

tintora_source_date_epoch(${SOURCE_DIR} epoch)
if(epoch STREQUAL "")
  message(FATAL_ERROR "no source date: not a git clone nor a source tarball, "
                      "and SOURCE_DATE_EPOCH is not set")
endif()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${EXE} ${STAGE}/Tintora.exe)
stage_text(${SOURCE_DIR}/LICENSE ${STAGE}/LICENSE.txt)
set(staged Tintora.exe LICENSE.txt)

if(DEFINED ZIP)
  set(PROJECT_VERSION ${VERSION})
  file(READ ${resources}/windows-readme.txt text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\n" "\r\n" text "${text}")
  # A byte order mark, so that every Notepad reads the Chinese as UTF-8.
  string(ASCII 239 187 191 byte_order_mark)
  file(WRITE ${STAGE}/README.txt "${byte_order_mark}${text}")
  set(folder Tintora-${VERSION})
  file(REMOVE ${ZIP})
  run(${PYTHON} ${SOURCE_DIR}/tools/make_zip.py ${ZIP} ${epoch} ${folder}/Tintora.exe=${STAGE}/Tintora.exe
      ${folder}/README.txt=${STAGE}/README.txt ${folder}/LICENSE.txt=${STAGE}/LICENSE.txt)
  return()
endif()

file(COPY_FILE ${resources}/icons/tintora.ico ${STAGE}/tintora.ico)
list(APPEND staged tintora.ico)
set(older_file "")
if(OLDER_FILE_FOR_TESTING)
  file(COPY_FILE ${OLDER_FILE_FOR_TESTING} ${STAGE}/older.txt)
  list(APPEND staged older.txt)
  set(older_file older.txt)
endif()
# The cabinet inside the package keeps each file's time.
list(TRANSFORM staged PREPEND ${STAGE}/ OUTPUT_VARIABLE staged_paths)
run(touch -d @${epoch} ${staged_paths})

# A new version is a new product (so that it replaces the old one), and a new
# package whenever anything in it differs.
file(READ ${wxs} wxs_text)
if(NOT wxs_text MATCHES "UpgradeCode=\"([0-9a-f-]+)\"")
  message(FATAL_ERROR "${wxs}: no UpgradeCode")
endif()
set(upgrade_code ${CMAKE_MATCH_1})
string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${VERSION}" TYPE SHA1 UPPER)
set(contents "${VERSION} ${epoch} ${wxs_text}")
foreach(path IN LISTS staged_paths)
  file(SHA256 ${path} sum)
  string(APPEND contents " ${sum}")
endforeach()
string(UUID package_code NAMESPACE ${upgrade_code} NAME "package ${contents}" TYPE SHA1 UPPER)

set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP stopped_clock "%Y-%m-%d %H:%M:%S" UTC)
file(COPY_FILE ${wxs} ${STAGE}/tintora.wxs)
file(REMOVE ${MSI})
# NO_FAKE_STAT: the files' own times (the source date) go into the cabinet, not
# times shifted by the stopped clock.
run(${CMAKE_COMMAND} -E env TZ=UTC NO_FAKE_STAT=1 ${FAKETIME} -f "${stopped_clock}"
    ${WIXL} --arch x64 -D Version=${VERSION} -D ProductCode=${product_code}
    -D ExeFile=Tintora.exe -D LicenseFile=LICENSE.txt -D IconFile=tintora.ico
    "-D" "OlderFileForTesting=${older_file}" -o ${MSI} ${STAGE}/tintora.wxs)
# The template names the platform and the package's language, 2052 (Chinese, PRC).
execute_process(COMMAND ${MSIBUILD} ${MSI} -s "Tintora ${VERSION}" "Tintora developers"
                        [[x64;2052]] "{${package_code}}" WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "msibuild could not write the summary of ${MSI} (${status})")
endif()
