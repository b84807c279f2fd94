# The Debian packages the game needs: to build and play, and to test.
# shellcheck disable=SC2034
BUILD_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
                qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-liberation2 fonts-adf-mekanus)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev strace
               desktop-file-utils appstream man-db bsdextrautils)
# To build the .deb and .tar.gz (cmake --workflow --preset package) and check the .deb; ./test
# installs them too.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file lintian)
