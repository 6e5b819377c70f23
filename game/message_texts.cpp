#include "game/message_texts.h"

// Code page 932 bytes, written out so that the file's own encoding cannot
// change what is drawn. The Japanese is in the comment beside each line.
namespace {
// 気分爽快はえたたきゲーム＜ぬむぬむ＞
constexpr char kTitle[] =
    "\x8B\x43\x95\xAA\x91\x75\x89\xF5\x82\xCD\x82\xA6\x82\xBD\x82\xBD\x82\xAB\x83\x51\x81\x5B\x83\x80"
    "\x81\x83\x82\xCA\x82\xDE\x82\xCA\x82\xDE\x81\x84";
// クリックすると始まるよ！！
constexpr char kClickToStart[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x4E\x82\xB7\x82\xE9\x82\xC6\x8E\x6E\x82\xDC\x82\xE9\x82\xE6\x81\x49"
    "\x81\x49";
// ボーダーライン %d 匹
constexpr char kBorderLine[] = "\x83\x7B\x81\x5B\x83\x5F\x81\x5B\x83\x89\x83\x43\x83\x93 %d \x95\x43";
// 水色のゲージを超すまではえを殺害せよ！！
constexpr char kKillOrder[] =
    "\x90\x85\x90\x46\x82\xCC\x83\x51\x81\x5B\x83\x57\x82\xF0\x92\xB4\x82\xB7\x82\xDC\x82\xC5\x82\xCD"
    "\x82\xA6\x82\xF0\x8E\x45\x8A\x51\x82\xB9\x82\xE6\x81\x49\x81\x49";
// ＳＴＡＲＴ！！
constexpr char kStart[] = "\x82\x72\x82\x73\x82\x60\x82\x71\x82\x73\x81\x49\x81\x49";
// はえの増加に耐えられなかった！
constexpr char kFailure[] =
    "\x82\xCD\x82\xA6\x82\xCC\x91\x9D\x89\xC1\x82\xC9\x91\xCF\x82\xA6\x82\xE7\x82\xEA\x82\xC8\x82\xA9"
    "\x82\xC1\x82\xBD\x81\x49";
// ボーダーラインクリア！！
constexpr char kCleared[] =
    "\x83\x7B\x81\x5B\x83\x5F\x81\x5B\x83\x89\x83\x43\x83\x93\x83\x4E\x83\x8A\x83\x41\x81\x49\x81\x49";
// 滅数 %d 匹
constexpr char kKills[] = "\x96\xC5\x90\x94 %d \x95\x43";
}  // namespace

const MessageRow kMessageRows[] = {
    {kPhaseTitle, kTitle, nullptr, 176, 170, 255, 255, 255, 16},
    {kPhaseTitle, kClickToStart, nullptr, 224, 300, 0, 0, 255, 16},
    {kPhaseAnnouncement, kBorderLine, &GameWorld::borderLine, 264, 170, 255, 255, 255, 16},
    {kPhaseAnnouncement, kKillOrder, nullptr, 168, 190, 255, 255, 255, 16},
    {kPhaseStart, kStart, nullptr, 190, 200, 255, 255, 255, 64},
    {kPhaseResult, kFailure, nullptr, 200, 170, 255, 0, 0, 16},
    {kPhaseStageClear, kCleared, nullptr, 232, 170, 255, 255, 255, 16},
    {kPhaseStageClear, kKills, &GameWorld::killCount, 320, 200, 255, 255, 255, 16},
};
const size_t kMessageRowCount = sizeof kMessageRows / sizeof kMessageRows[0];
