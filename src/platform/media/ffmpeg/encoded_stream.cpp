// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/encoded_stream.h"

namespace xmascard::media {

Result<const AVCodec*> EncodedStream::findEncoder(const char* name) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (codec == nullptr)
        return Result<const AVCodec*>::failure(std::string("the encoder ") + name +
                                               " is missing from this system's FFmpeg libraries");
    return Result<const AVCodec*>::success(codec);
}

EncodedStream::EncodedStream(AVFormatContext* muxer, av::CodecContext codec)
    : muxer_(muxer), codec_(std::move(codec)), packet_(av_packet_alloc()) {}

double EncodedStream::seconds() const {
    return static_cast<double>(sent_) * av_q2d(codec_->time_base);
}

Status EncodedStream::openEncoder(const char* options, const char* moreOptions) {
    if (!packet_) return Status::failure("out of memory");
    if (muxer_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av::Dictionary settings;
    settings.parse(options);
    settings.parse(moreOptions);
    const std::string name = codec_->codec->name;
    if (const int error = avcodec_open2(codec_.get(), codec_->codec, settings.get()); error < 0)
        return Status::failure("cannot start the encoder " + name + " (" + av::errorText(error) +
                               ")");
    if (const AVDictionaryEntry* unknown =
            av_dict_get(*settings.get(), "", nullptr, AV_DICT_IGNORE_SUFFIX))
        return Status::failure("the encoder " + name + " has no option " + unknown->key);
    stream_ = avformat_new_stream(muxer_, nullptr);
    if (stream_ == nullptr) return Status::failure("out of memory");
    stream_->time_base = codec_->time_base;
    if (avcodec_parameters_from_context(stream_->codecpar, codec_.get()) < 0)
        return Status::failure("out of memory");
    return Status::done();
}

Status EncodedStream::send(const AVFrame* frame) {
    int result = avcodec_send_frame(codec_.get(), frame);
    while (result >= 0) {
        result = avcodec_receive_packet(codec_.get(), packet_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return Status::done();
        if (result < 0) break;
        // Some encoders leave a picture's duration out; without it the last picture of
        // the stream would not count towards its length.
        if (packet_->duration == 0 && codec_->codec_type == AVMEDIA_TYPE_VIDEO)
            packet_->duration = 1;
        av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        // The muxer takes the packet's data and leaves the packet blank.
        if (const int error = av_interleaved_write_frame(muxer_, packet_.get()); error < 0)
            return Status::failure("cannot write the video (" + av::errorText(error) + ")");
    }
    return Status::failure(std::string("the encoder ") + codec_->codec->name + " failed (" +
                           av::errorText(result) + ")");
}

}  // namespace xmascard::media
