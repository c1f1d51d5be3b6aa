# The Debian package, made from the install rules: cpack -G DEB in the build
# folder, or the package target.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brinnow)
set(CPACK_PACKAGE_VENDOR "The Brinnow developers")
set(CPACK_PACKAGE_CONTACT "The Brinnow developers <maintainers@brinnow.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "playing aid for the Vexmoor naval wargame rules")
set(CPACK_PACKAGE_DESCRIPTION
    "Brinnow keeps one campaign for Vexmoor, naval miniatures wargame rules for the
navies of the early twentieth century: nations, armament and torpedo types,
ships, squadrons and scenarios with their forces. It prints ship record cards,
squadron and scenario sheets and blank cards, shows the ships as a column of
record cards, and exports a scenario as an HTML briefing with card images, the
ships as text or CSV and the whole campaign as JSON. During a game, damage is
marked on the cards in a table window, kept in a game file of its own and
printed on the cards; a check of the whole campaign lists names that match no
ship and scenario copies older than the campaign's ships.
.
The command-line tool brinnow-cli gives scripted access to every printout and
export without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${BRINNOW_PACKAGE_PREFIX})
# Binaries without their debugging information, which lintian refuses.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRINNOW_HOMEPAGE})
# The libraries come from the binaries (dpkg-shlibdeps); what the binaries
# cannot tell is the font that stands in for "Arial" on every card.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Folders get the usual modes whatever the umask of whoever builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
