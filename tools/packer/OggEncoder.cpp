#include "OggEncoder.h"

#include <algorithm>
#include <stdexcept>
#include <vorbis/vorbisenc.h>

namespace {

void Append(std::vector<uint8_t>& bytes, const ogg_page& page) {
    bytes.insert(bytes.end(), page.header, page.header + page.header_len);
    bytes.insert(bytes.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<uint8_t> EncodeOgg(std::span<const float> samples, uint32_t serial, float quality) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, kSampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("the Vorbis encoder refused its settings");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, int(serial));

    std::vector<uint8_t> bytes;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    // The headers end a page of their own, as the format asks.
    while (ogg_stream_flush(&stream, &page) != 0)
        Append(bytes, page);

    constexpr size_t kChunk = 4096;
    for (size_t at = 0;; at += kChunk) {
        const size_t count = at < samples.size() ? std::min(kChunk, samples.size() - at) : 0;
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, int(count));
            std::copy_n(samples.data() + at, count, buffer[0]);
        }
        vorbis_analysis_wrote(&dsp, int(count)); // 0 marks the end
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    Append(bytes, page);
            }
        }
        if (count == 0) break;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        Append(bytes, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return bytes;
}
