#include <cstdio>

int main() {
    std::puts("xmascard");
    return 0;
}
