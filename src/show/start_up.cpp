// SPDX-License-Identifier: MIT
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "platform/io/files.h"
#include "platform/io/shown_text.h"
#include "platform/resources.h"
#include "show/form_tree.h"
#include "show/program.h"
#include "windows/skin.h"

// The tree window's load handler: the tree takes its picture's size and outline, the
// greeting pictures wait off-stage, the snow is seeded, the card is loaded hidden, the two
// sound files are written out and the music starts 27 seconds into the piece.
namespace xmascard {

namespace {
constexpr int kMusicResource = 101;
constexpr int kBellsResource = 102;
constexpr double kMusicStart = 27.0;  // seconds into the piece
}  // namespace

void FormTree::Form_Load() {
    prepareSkinBox(PictureTree);

    runtime().Randomize();
    flakeRadius_ = 2;
    tickDelay_ = 0.1;
    for (int i = 0; i < kFlakeCount; ++i) {
        flakeX_[i] = runtime().Rnd() * PictureTree.ScaleWidth();
        flakeY_[i] = runtime().Rnd() * PictureTree.ScaleHeight();
    }
    PictureTree.Cls();

    fitWindowToBox(*this, PictureTree);

    selectiveStart_ = 0;
    program_.form2->setVisible(false);
    PictureTree.ZOrder(ZOrderPosition::Back);

    PicSeasonsGreating.setLeft(-5000);
    PicSeasonsGreating.setTop(1500);
    PicMerryChristmas.setLeft(-2500);
    PicMerryChristmas.setTop(1500);
    PicHappyNewYear.setLeft(900);
    PicHappyNewYear.setTop(-5500);
    PictureTree.setTop(0);
    PictureTree.setLeft(0);
    ShapeTree.setTop(0);
    ShapeTree.setLeft(0);
    ShapeTree.setWidth(PictureTree.Width());
    ShapeTree.setHeight(PictureTree.Height());
    PicMerryChristmas.setVisible(true);
    PicSeasonsGreating.setVisible(true);
    PicHappyNewYear.setVisible(true);

    // The player lets go of the file before it is replaced.
    MediaPlayer1.Stop();
    MediaPlayer1.setFileName("");
    writeSoundFiles(runtime().soundDirectory());
    MediaPlayer1.setFileName(musicPath_);
    MediaPlayer1.setCurrentPosition(kMusicStart);
    MediaPlayer1.setVolume(kMusicVolume);
    MediaPlayer1.setWidth(2130);
    MediaPlayer1.setHeight(390);
    MediaPlayer1.setTop(90);
    MediaPlayer1.setLeft(60);
    MediaPlayer1.setShowControls(false);
    MediaPlayer1.setShowAudioControls(false);
    MediaPlayer1.setShowTracker(false);
    // The bells ring much later; they are decoded now, so that they start on time then.
    MediaPlayer2.prepareFile(bellsPath_);
}

namespace {

// Writes one embedded sound file; the cause when it cannot.
std::optional<std::string> writeSoundFile(int resourceId, const std::string& path) {
    const auto bytes = LoadResData(resourceId, "CUSTOM");
    if (!bytes) return "sound resource " + std::to_string(resourceId) + " is missing";
    // The file is replaced as a whole, so no bytes of a longer stale file remain.
    return writeWholeFile(path, *bytes);
}

}  // namespace

void FormTree::writeSoundFiles(const std::string& directory) {
    if (directory.empty()) {  // the host has said why there is none
        musicPath_.clear();
        bellsPath_.clear();
        return;
    }
    musicPath_ = directory + "/mm.mid";
    bellsPath_ = directory + "/Bells.mp3";
    const auto musicProblem = writeSoundFile(kMusicResource, musicPath_);
    const auto bellsProblem = writeSoundFile(kBellsResource, bellsPath_);
    // A directory that takes neither file is one problem, told once.
    if (musicProblem && bellsProblem && *musicProblem == *bellsProblem) {
        std::fprintf(stderr,
                     "xmascard: cannot write %s and Bells.mp3: %s; the card plays without them\n",
                     io::shown(musicPath_).c_str(), musicProblem->c_str());
    } else {
        for (const auto& [problem, path] :
             {std::pair{musicProblem, musicPath_}, std::pair{bellsProblem, bellsPath_}}) {
            if (problem)
                std::fprintf(stderr, "xmascard: cannot write %s: %s; the card plays without it\n",
                             io::shown(path).c_str(), problem->c_str());
        }
    }
    if (musicProblem) musicPath_.clear();
    if (bellsProblem) bellsPath_.clear();
}

}  // namespace xmascard
