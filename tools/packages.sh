# The Debian packages the game needs: to build and play, and to test.
# shellcheck disable=SC2034
BUILD_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
                fonts-liberation2 fonts-adf-mekanus)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev strace)
