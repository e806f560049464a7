// libvorbisenc behind one call: analysis, packets and pages in memory.
#include "VorbisWriter.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace synth {

namespace {

class Encoder {
public:
    Encoder(const PcmSound& sound, float quality, std::uint32_t serial) {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, sound.channels, sound.rate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::runtime_error("libvorbisenc refused the format");
        }
        vorbis_comment_init(&comment_);
        vorbis_comment_add_tag(&comment_, "ENCODER", "polity_sounds");
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, static_cast<int>(serial));
    }
    ~Encoder() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    std::string Encode(const PcmSound& sound) {
        WriteHeaders();
        constexpr size_t kChunk = 4096;
        const size_t frames = sound.Frames();
        for (size_t first = 0; first < frames; first += kChunk) {
            const size_t count = std::min(kChunk, frames - first);
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
            for (size_t f = 0; f < count; ++f) {
                for (int c = 0; c < sound.channels; ++c)
                    buffer[c][f] = sound.samples[(first + f) * sound.channels + c];
            }
            vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
            Drain();
        }
        vorbis_analysis_wrote(&dsp_, 0);
        Drain();
        return std::move(file_);
    }

private:
    void WriteHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // Audio starts on a fresh page, as decoders expect.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) Append(page);
    }

    void Drain() {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page) != 0) Append(page);
            }
        }
        if (ogg_stream_eos(&stream_) == 0) return;
        while (ogg_stream_flush(&stream_, &page) != 0) Append(page);
    }

    void Append(const ogg_page& page) {
        file_.append(reinterpret_cast<const char*>(page.header),
                     static_cast<size_t>(page.header_len));
        file_.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    std::string file_;
};

}  // namespace

std::string EncodeOggVorbis(const PcmSound& sound, float quality, std::uint32_t serial) {
    PcmSound clamped = sound;
    for (float& s : clamped.samples) s = std::clamp(s, -1.0f, 1.0f);
    Encoder encoder(clamped, quality, serial);
    return encoder.Encode(clamped);
}

}  // namespace synth
