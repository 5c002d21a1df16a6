// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/picture_stream.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixfmt.h>
}

namespace xmascard::media {
namespace {
constexpr int kKeyFrameSeconds = 5;
}

Result<std::unique_ptr<PictureStream>> PictureStream::open(AVFormatContext* muxer,
                                                           const VideoFormat& format, int width,
                                                           int height, int fps) {
    using R = Result<std::unique_ptr<PictureStream>>;
    auto encoder = findEncoder(format.videoEncoder);
    if (!encoder.ok()) return R::failure(encoder.error());
    av::CodecContext codec(avcodec_alloc_context3(encoder.value()));
    if (!codec) return R::failure("out of memory");
    codec->width = width & ~1;
    codec->height = height & ~1;
    if (codec->width < 2 || codec->height < 2) return R::failure("the picture is too small");
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{1, fps};
    codec->framerate = AVRational{fps, 1};
    codec->gop_size = kKeyFrameSeconds * fps;
    codec->color_range = AVCOL_RANGE_MPEG;
    codec->colorspace = AVCOL_SPC_BT709;
    codec->color_primaries = AVCOL_PRI_BT709;
    codec->color_trc = AVCOL_TRC_BT709;
    codec->thread_count = 0;  // as many as the machine has
    const bool large = static_cast<long>(codec->width) * codec->height > kLargePicturePixels;
    std::unique_ptr<PictureStream> stream(new PictureStream(muxer, std::move(codec)));
    if (Status opened =
            stream->openEncoder(format.videoOptions, large ? format.largePictureOptions : nullptr);
        !opened.ok())
        return R::failure(opened.error());
    if (Status prepared = stream->prepare(); !prepared.ok()) return R::failure(prepared.error());
    return R::success(std::move(stream));
}

Status PictureStream::prepare() {
    AVCodecContext* c = codec();
    // Chroma is taken from every input pixel, not every second one: sharp coloured edges
    // of the pictures keep their colour.
    scaler_.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_RGB32, c->width, c->height,
                                 c->pix_fmt, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr,
                                 nullptr));
    frame_.reset(av_frame_alloc());
    if (!scaler_ || !frame_) return Status::failure("out of memory");
    sws_setColorspaceDetails(scaler_.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1,
                             sws_getCoefficients(SWS_CS_ITU709), 0, 0, 1 << 16, 1 << 16);
    frame_->format = c->pix_fmt;
    frame_->width = c->width;
    frame_->height = c->height;
    frame_->color_range = c->color_range;
    frame_->colorspace = c->colorspace;
    frame_->color_primaries = c->color_primaries;
    frame_->color_trc = c->color_trc;
    if (av_frame_get_buffer(frame_.get(), 0) < 0) return Status::failure("out of memory");
    return Status::done();
}

Status PictureStream::add(const std::uint8_t* pixels, int stride) {
    // The encoder may still hold the previous picture for reference.
    if (av_frame_make_writable(frame_.get()) < 0) return Status::failure("out of memory");
    const std::uint8_t* source[1] = {pixels};
    const int strides[1] = {stride};
    sws_scale(scaler_.get(), source, strides, 0, frame_->height, frame_->data, frame_->linesize);
    frame_->pts = sent_++;
    return send(frame_.get());
}

}  // namespace xmascard::media
