// libvorbisfile over a memory image.
#include "engine/OggStream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

struct OggStream::MemoryFile {
    std::string bytes;
    size_t position = 0;
};

struct OggStream::Decoder {
    OggVorbis_File file{};
};

namespace {

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    auto* file = static_cast<OggStream::MemoryFile*>(source);
    if (size == 0) return 0;
    const size_t wanted = size * count;
    const size_t available = file->bytes.size() - std::min(file->position, file->bytes.size());
    const size_t copied = std::min(wanted, available) / size * size;
    std::memcpy(out, file->bytes.data() + file->position, copied);
    file->position += copied;
    return copied / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<OggStream::MemoryFile*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<ogg_int64_t>(file->position);
    else if (whence == SEEK_END)
        base = static_cast<ogg_int64_t>(file->bytes.size());
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(file->bytes.size())) return -1;
    file->position = static_cast<size_t>(target);
    return 0;
}

// The image belongs to the stream object, so closing frees nothing here.
int CloseMemory(void*) {
    return 0;
}

long TellMemory(void* source) {
    return static_cast<long>(static_cast<OggStream::MemoryFile*>(source)->position);
}

constexpr int kMostDecodingErrors = 16;

}  // namespace

OggStream::OggStream() = default;

OggStream::~OggStream() {
    Close();
}

void OggStream::Close() {
    if (open_) ov_clear(&decoder_->file);
    decoder_.reset();
    file_.reset();
    open_ = false;
    channels_ = rate_ = 0;
}

bool OggStream::Open(std::string fileImage) {
    Close();
    file_ = std::make_unique<MemoryFile>();
    file_->bytes = std::move(fileImage);
    decoder_ = std::make_unique<Decoder>();
    const ov_callbacks callbacks{ReadMemory, SeekMemory, CloseMemory, TellMemory};
    if (ov_open_callbacks(file_.get(), &decoder_->file, nullptr, 0, callbacks) != 0) {
        decoder_.reset();
        file_.reset();
        return false;
    }
    open_ = true;
    const vorbis_info* info = ov_info(&decoder_->file, -1);
    if (!info) {
        Close();
        return false;
    }
    channels_ = info->channels;
    rate_ = static_cast<int>(info->rate);
    return true;
}

std::int64_t OggStream::TotalFrames() const {
    if (!open_) return -1;
    const ogg_int64_t total = ov_pcm_total(&decoder_->file, -1);
    return total < 0 ? -1 : total;
}

long OggStream::Read(char* out, int capacity) {
    if (!open_) return -1;
    int section = 0;
    return ov_read(&decoder_->file, out, capacity, 0, 2, 1, &section);
}

bool OggStream::SeekToTime(double seconds) {
    return open_ && ov_time_seek(&decoder_->file, seconds) == 0;
}

std::vector<std::int16_t> OggStream::DecodeAll() {
    std::vector<std::int16_t> samples;
    if (!open_) return samples;
    if (const std::int64_t total = TotalFrames(); total > 0)
        samples.reserve(static_cast<size_t>(total) * channels_);
    char piece[8192];
    int errors = 0;
    for (;;) {
        const long bytes = Read(piece, sizeof(piece));
        if (bytes == 0) break;
        // A damaged stretch is skipped and what decodes around it kept; a
        // stream that only fails is given up.
        if (bytes < 0) {
            if (++errors > kMostDecodingErrors) break;
            continue;
        }
        const size_t old = samples.size();
        samples.resize(old + static_cast<size_t>(bytes) / 2);
        std::memcpy(samples.data() + old, piece, static_cast<size_t>(bytes) / 2 * 2);
    }
    return samples;
}
