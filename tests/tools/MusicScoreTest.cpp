#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/music/Score.h"
#include "tools/music/Synth.h"

namespace {

using music::Note;
using music::Score;

const std::string kHeader =
    "title  Test\ntempo  150\nkey    A minor\nmeter  4\n"
    "voice lead pulse octave=1\nvoice low saw\nvoice kick kick\n";

Score Parse(const std::string& body) {
  Score score;
  std::string error;
  EXPECT_TRUE(music::ParseScore(kHeader + body, score, error)) << error;
  return score;
}

std::string Problem(const std::string& text) {
  Score score;
  std::string error;
  EXPECT_FALSE(music::ParseScore(text, score, error));
  return error;
}

TEST(MusicScoreTest, NotesChordsTiesDrumsAndRepeatsLandOnTheirSteps) {
  const Score score = Parse(
      "section a   # a comment, while c#4 below is a note\n"
      "  lead | a4q c#4e bb3e~ bb3q -q |\n"
      "       | [c4 e4]h~ [c4 e4]e g4e! f4e' -e\n"
      "  low  | a2w | %\n"
      "  kick | x.o. X... .... .... | ................\n"
      "song a a-2\n");
  ASSERT_EQ(score.steps, 64);
  auto at = [&](int voice, int step) {
    for (const Note& n : score.notes)
      if (n.voice == voice && n.step == step) return n;
    ADD_FAILURE() << "no note of voice " << voice << " at step " << step;
    return Note{};
  };
  // The lead is an octave up; the tie lengthens the B flat instead of repeating it.
  EXPECT_EQ(at(0, 0).pitch, 69 + 12);
  EXPECT_EQ(at(0, 4).pitch, 61 + 12);
  EXPECT_EQ(at(0, 6).length, 6);
  EXPECT_EQ(at(0, 6).pitch, 58 + 12);
  EXPECT_EQ(at(0, 16).length, 10);
  EXPECT_EQ(at(0, 26).velocity, 1.25);
  EXPECT_EQ(at(0, 28).velocity, 0.7);
  EXPECT_EQ(at(1, 16).pitch, 45) << "% repeats the bar";
  EXPECT_EQ(at(2, 2).velocity, 0.5);
  EXPECT_EQ(at(2, 4).velocity, 1.3);
  // The second time two semitones lower, the drums as they were.
  EXPECT_EQ(at(0, 32).pitch, 69 + 12 - 2);
  EXPECT_EQ(at(1, 48).pitch, 43);
  EXPECT_EQ(at(2, 32).pitch, 0);
  EXPECT_EQ(score.notes.size(), 2 * (7u + 2u + 3u));
}

TEST(MusicScoreTest, MistakesAreNamedWithTheirLine) {
  const struct {
    std::string body;
    std::string problem;
  } cases[] = {
      {"section a\n  lead | a4q a4q a4q |\nsong a\n",
       "line 9: a bar of lead holds 12 steps, not 16"},
      {"section a\n  kick | x.x. |\nsong a\n", "line 9: a drum bar has 16 steps, not 4"},
      {"section a\n  lead | a4q~ b4q a4h |\nsong a\n",
       "line 9: \"b4q\" is not the note tied to it"},
      {"section a\n  lead | a4h a4h~ |\nsong a\n", "in section a, lead ends on a tie"},
      {"section a\n  lead | a4w |\n  low | a2w | a2w |\nsong a\n",
       "in section a, low has 2 bars, not 1"},
      {"section a\n  lead | a4w |\nsong a b\n", "the song names a section \"b\" not written"},
      {"section a\n  bass | a4w |\nsong a\n", "line 9: \"bass\" is no keyword and no voice"},
      {"voice pad saw gian=0.2\n", "line 8: \"gian=0.2\" is no setting"},
      {"section a\n  lead | h4w |\nsong a\n", "line 9: \"h4w\" is not a note"},
      {"section a\n  lead | a4x |\nsong a\n", "line 9: \"a4x\" has no length"},
      {"section a\n  lead | % |\nsong a\n", "line 9: % repeats the bar before, and there is none"},
      {"key H major\n", "line 8: a key is a tonic and a mode"},
      {"tempo 20\n", "line 8: the tempo lies between 40"},
      {"  | a4w |\n", "line 8: bars come after a voice's name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    const std::string problem = Problem(kHeader + c.body);
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

// A loop comes with the same frames on either side of it as at its own two
// ends, so the encoder sees it go on; a piece played once rings on for its
// tail and ends in silence.
TEST(MusicScoreTest, ALoopIsCutFromTheMiddleOfThePiecePlayedOverAndOver) {
  const std::string body =
      "echo 2 0.5\nvoice pad saw attack=0.05 release=0.5 reverb=0.5 echo=0.5\n"
      "section a\n  pad | [a3 c4 e4]h [f3 a3 c4]h |\n  kick | x...x...x...x... |\nsong a\n";
  Score score = Parse("loop yes\n" + body);
  const size_t margin = 2000;
  const music::Audio loop = music::Render(score, 44100, margin);
  const size_t bar = 16 * 4410;  // 150 beats a minute: 4410 frames a sixteenth
  ASSERT_EQ(loop.loopStart, margin);
  ASSERT_EQ(loop.loopLength, bar);
  ASSERT_EQ(loop.frames(), bar + 2 * margin);
  for (size_t i = 0; i < 2 * margin; ++i) {
    ASSERT_NEAR(loop.samples[2 * bar + i], loop.samples[i], 1e-9) << "before and after: " << i;
  }
  EXPECT_NE(loop.samples[2 * margin], 0.0) << "the room still rings into the loop's start";

  score = Parse("loop no\ntail 0.5\n" + body);
  const music::Audio once = music::Render(score, 44100, margin);
  EXPECT_EQ(once.loopLength, 0u);
  ASSERT_EQ(once.frames(), bar + 22050);
  EXPECT_EQ(once.samples.back(), 0.0);
}

}  // namespace
