// SPDX-License-Identifier: MIT
// The one place Debian's header-only stb libraries are compiled: picture decoding, PNG
// writing and TrueType rasterising. Their own code is not held to the card's warnings.
#pragma clang diagnostic ignored "-Weverything"

#define STBI_NO_STDIO
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
