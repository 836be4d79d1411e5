// A compact text notation that builds an analysed sentence record without the analyser and the
// parser, for tests of the rules.
//
// One item per line (or separated by ';'), blank-separated tokens:
//   m <surface> [base=<b>] pos=<p>[/<sub>] [conj=<type>/<form>] [sem=<codes>]
//     [zh=<chinese>[:<valency>[:<extra>]]]... [slot17=<text>] [kind=<c>]
//     a morpheme; morphemes are nodes 1..M in order. Each zh= adds a candidate.
//   p <first>-<last> [head=<ref>] [label=<D1..D27|TG>] [usage=<code>] [j=<J..>] [s=S1,S2]
//     [ab=A1,B3] [class=<c>] [hm=<morpheme>] [tpl=<template>] [kind=<c>]
//     a phrase over morphemes first..last; phrases are nodes M+1.. in order. A phrase with
//     head= depends on it under its label (a dependency item is added, "D1" when no label is
//     given); the phrase without head= is the root. hm= names the head child (default: last).
//   d <governor> <dependent> <label> [flag]   an extra dependency item
//   r <governor> <dependent> <label>          a relation item
// A <ref> is a node index or "p<k>" (the k-th phrase). Texts take "\xHH" for a raw byte and
// "@<key>" for a loaded rendering. Without phrases the morphemes stand at the top level.
// The target side is prepared as the sentence set-up does: lastTarget, the top targets, the
// default relation target, and each target's links copied from its node.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Zeroes and initialises the record (release a used record first), then builds the sentence;
// false with a reason on a bad line.
bool buildJcSentence(JcSentence* record, std::string_view notation, std::string* error = nullptr);

// A heap record that releases itself.
class JcSentenceHolder {
 public:
  JcSentenceHolder();
  ~JcSentenceHolder();
  JcSentenceHolder(const JcSentenceHolder&) = delete;
  JcSentenceHolder& operator=(const JcSentenceHolder&) = delete;
  // Releases what the record holds and builds it again from the notation.
  bool build(std::string_view notation, std::string* error = nullptr);
  JcSentence* get() { return record_.get(); }
  JcSentence* operator->() { return record_.get(); }

 private:
  std::unique_ptr<JcSentence> record_;
};

}  // namespace jc
