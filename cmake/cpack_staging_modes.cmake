# Run by cpack once it has installed into its staging folder, before it packs
# (CPACK_PRE_BUILD_SCRIPTS). The install makes the folders a file needs with
# the umask of whoever packs (0700 under umask 077), so each folder gets the
# mode Debian packages use instead; the files already have theirs.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(staged)
  file(CHMOD ${staged} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                             GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
