# Run by cpack on the staged files before it packs them. Folders are made as
# the umask of whoever packs allows, and a strict one would keep users out of
# them once installed: each gets the permissions Debian gives its own.
execute_process(COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -mindepth 1 -type d
                        -exec chmod 0755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
