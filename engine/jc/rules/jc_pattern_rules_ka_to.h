// Sentence patterns of the kana run か to という: the か group, からには … 際に, さえ … それほど,
// た … つ, the te-form, て / で / と and という. Each rule takes the sentence at its place in step 2.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// か group.
void ruleKaOmou(JcSentence* s);
void ruleKanarazushimo(JcSentence* s);
void ruleKanenai(JcSentence* s);
void ruleKaneru(JcSentence* s);
void ruleKaNoYouda(JcSentence* s);
void ruleKamoshirenai(JcSentence* s);
void ruleKaraAru(JcSentence* s);
void ruleKaraIu(JcSentence* s);
void ruleKaraKuru(JcSentence* s);
void ruleKarakoso(JcSentence* s);
void ruleKaraMiru(JcSentence* s);
void ruleKaraMade(JcSentence* s);

// からには … 際に.
void ruleKaraniwa(JcSentence* s);
void ruleKariniTemo(JcSentence* s);
void ruleKariniToshitara(JcSentence* s);
void ruleKawarini(JcSentence* s);
void ruleKikuTokoro(JcSentence* s);
void ruleKiri(JcSentence* s);
void ruleKuseni(JcSentence* s);
void ruleKuraiDa(JcSentence* s);
void ruleKuraiNaraHou(JcSentence* s);
void ruleKosoImperative(JcSentence* s);
void ruleKosoGa(JcSentence* s);
void ruleKotoGaAru(JcSentence* s);
void ruleKotoDakara(JcSentence* s);
void ruleKotoniyoruto(JcSentence* s);
void ruleKotoWaNai(JcSentence* s);
void ruleKotoMoAroouni(JcSentence* s);
void ruleSaini(JcSentence* s);

// さえ … それほど.
void ruleSae(JcSentence* s);
void ruleSasugaDake(JcSentence* s);
void ruleZaruoEnai(JcSentence* s);
void ruleSanagara(JcSentence* s);
void ruleShikaNai(JcSentence* s);
void ruleShidai(JcSentence* s);
void ruleJikanShitara(JcSentence* s);
void ruleShina(JcSentence* s);
void ruleSugiru(JcSentence* s);
void ruleZu(JcSentence* s);
void ruleSuraNai(JcSentence* s);
void ruleSundenokotoni(JcSentence* s);
void ruleSeiKa(JcSentence* s);
void ruleSemete(JcSentence* s);
void ruleSouNara(JcSentence* s);
void ruleSouniNaru(JcSentence* s);
void ruleSouniMoNai(JcSentence* s);
void ruleSonomono(JcSentence* s);
void ruleSorehodo(JcSentence* s);

// た … つ.
void ruleTaiKurai(JcSentence* s);
void ruleTaiMonoDa(JcSentence* s);
void ruleTakuteShikataganai(JcSentence* s);
void ruleTanniDake(JcSentence* s);
void ruleDake(JcSentence* s);
void ruleTatoeTemo(JcSentence* s);
void ruleTabi(JcSentence* s);
void ruleBaIi(JcSentence* s);
void ruleDarake(JcSentence* s);
void ruleTariTariShinai(JcSentence* s);
void ruleTaru(JcSentence* s);
void ruleDarouToDarouTo(JcSentence* s);
void ruleHouDewanai(JcSentence* s);
void ruleTame(JcSentence* s);
void ruleTeShimau(JcSentence* s);
void ruleTsutsuAru(JcSentence* s);
void ruleTsutsu(JcSentence* s);
void ruleTsumori(JcSentence* s);

// The te-form.
void ruleTeForm(JcSentence* s);

// て / で / と.
void ruleDeatteMo(JcSentence* s);
void ruleTeiruTokoro(JcSentence* s);
void ruleSumu(JcSentence* s);
void ruleDenaiKagiri(JcSentence* s);
void ruleNakerebaNaranai(JcSentence* s);
void ruleDewanaiKa(JcSentence* s);
void ruleTemoIi(JcSentence* s);
void ruleDemoNakerebaDemoNai(JcSentence* s);
void ruleToAimatte(JcSentence* s);
void ruleToAreba(JcSentence* s);
void ruleToIi(JcSentence* s);
void ruleToIiToIi(JcSentence* s);
void ruleDearu(JcSentence* s);

// という.
void ruleToIu(JcSentence* s);

}  // namespace jc
