#include "platform/display/PngWriter.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace platform {
namespace {

bool Fail(std::string* error, std::string message) {
    if (error != nullptr) {
        *error = std::move(message);
    }
    return false;
}

// png_image_free is safe to call again after libpng freed the image itself on an error.
class PngImage {
public:
    PngImage() {
        std::memset(&m_image, 0, sizeof m_image);
        m_image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&m_image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image* operator->() { return &m_image; }
    png_image* get() { return &m_image; }

private:
    png_image m_image;
};

class File {
public:
    explicit File(std::FILE* file) : m_file(file) {}
    ~File() {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::FILE* get() const { return m_file; }
    // Closes now, so that a failing close is seen. Returns false when the close failed.
    bool Close() {
        std::FILE* file = m_file;
        m_file = nullptr;
        return std::fclose(file) == 0;
    }

private:
    std::FILE* m_file;
};

}  // namespace

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int strideInPixels, std::string* error) {
    try {
        CheckFrame(pixels, width, height, strideInPixels);
    } catch (const std::invalid_argument& e) {
        return Fail(error, "cannot write " + path + ": " + e.what());
    }

    std::vector<png_byte> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                              3);
    png_byte* out = rgb.data();
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row =
            pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(strideInPixels);
        for (int x = 0; x < width; ++x) {
            *out++ = static_cast<png_byte>(row[x] >> 16);
            *out++ = static_cast<png_byte>(row[x] >> 8);
            *out++ = static_cast<png_byte>(row[x]);
        }
    }

    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Fail(error, "cannot write " + path + ": " + std::strerror(errno));
    }
    File file(::fdopen(fd, "wb"));
    if (file.get() == nullptr) {
        const int saved = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return Fail(error, "cannot write " + path + ": " + std::strerror(saved));
    }

    PngImage image;
    image->width = static_cast<png_uint_32>(width);
    image->height = static_cast<png_uint_32>(height);
    image->format = PNG_FORMAT_RGB;
    std::string failure;
    if (png_image_write_to_stdio(image.get(), file.get(), 0, rgb.data(), 0, nullptr) == 0) {
        failure = image->message;
    } else if (std::fflush(file.get()) != 0 || ::fsync(::fileno(file.get())) != 0) {
        failure = std::strerror(errno);
    }
    if (!file.Close() && failure.empty()) {
        failure = std::strerror(errno);
    }
    if (failure.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = std::strerror(errno);
    }
    if (!failure.empty()) {
        ::unlink(temporary.c_str());
        return Fail(error, "cannot write " + path + ": " + failure);
    }
    return true;
}

bool WritePng(const std::string& path, const Image& image, std::string* error) {
    return WritePng(path, image.pixels.data(), image.width, image.height, image.width, error);
}

bool ReadPng(const std::string& path, Image* result, std::string* error) {
    PngImage image;
    if (png_image_begin_read_from_file(image.get(), path.c_str()) == 0) {
        return Fail(error, "cannot read " + path + ": " + image->message);
    }
    if (image->width < 1 || image->height < 1 || image->width > kMaxImageSide ||
        image->height > kMaxImageSide) {
        return Fail(error, "cannot read " + path + ": the image is " +
                               std::to_string(image->width) + "x" + std::to_string(image->height) +
                               ", larger than " + std::to_string(kMaxImageSide) + " on a side");
    }
    image->format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(*image.get()));
    const png_color black{0, 0, 0};
    if (png_image_finish_read(image.get(), &black, rgb.data(), 0, nullptr) == 0) {
        return Fail(error, "cannot read " + path + ": " + image->message);
    }

    Image decoded;
    decoded.width = static_cast<int>(image->width);
    decoded.height = static_cast<int>(image->height);
    decoded.pixels.resize(static_cast<std::size_t>(decoded.width) *
                          static_cast<std::size_t>(decoded.height));
    const png_byte* in = rgb.data();
    for (std::uint32_t& pixel : decoded.pixels) {
        pixel = (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
        in += 3;
    }
    *result = std::move(decoded);
    return true;
}

}  // namespace platform
