#include "rules/RegrasEmpregado.h"

#include "rules/ApoioRegrasEmpregado.h"
#include "rules/Primitivas.h"

namespace zovi {

using namespace apoio;

namespace {

// A required code of fixed width that must exist in its reference table.
std::string CodigoTabela(const Referencias& ref, TabelaCodigos tabela, std::string_view v, std::size_t largura,
                         const char* vazio, const char* inexistente) {
    if (fVazioOuZeros(v)) return vazio;
    if (auto c = fCriticaTamanhoNumerico(v, largura); !fPassou(c)) return c;
    if (!ref.ExisteCodigo(tabela, v)) return inexistente;
    return kPassa;
}

bool UmOuDois(std::string_view v) { return UmDe(v, {"1", "2"}); }

// Birth date usable for an age: digits, non-zero, 8 long.
bool NascimentoUtil(std::string_view nascimento) { return Positivo(nascimento) && Tamanho(nascimento, 8); }

long long AnoNascimento(std::string_view nascimento) { return Numero(AnoData(nascimento)); }

// Types of employment allowed to public administrations (legal nature "1..." or CNAE "75...").
bool VinculoAdministracaoPublica(std::string_view vinculo) { return UmDe(vinculo, {"30", "31", "35", "96", "97"}); }

}  // namespace

// ---- personal data -------------------------------------------------------------

std::string fCriticaPisPasep(std::string_view pisPasep) {
    if (fVazio(pisPasep)) return "0153";
    if (auto c = fCriticaTamanhoNumerico(pisPasep, 11); !fPassou(c)) return c;
    if (Zero(pisPasep) || fValidaPisPasep(Apara(pisPasep))) return kPassa;
    return "0150";
}

std::string fCriticaNomeEmpregado(std::string_view nome, std::string_view pisPasep) {
    auto n = Apara(nome);
    if (n.empty()) return "0160";
    if (!fSemRepeticao(n)) return "3100";
    if (fContaPalavras(n) == 1) return "0161";
    if (Apara(pisPasep) == kPisTrabalhadorExemplo) return Maiusculas(n) == kNomeTrabalhadorExemplo ? kPassa : "3647";
    return fCriticaTexto(n);
}

std::string fCriticaDataNascimento(std::string_view nascimento) {
    if (fVazioOuZeros(nascimento)) return "0170";
    if (auto c = fCriticaTamanhoNumerico(nascimento, 8); !fPassou(c)) return c;
    if (!fDataValida(nascimento) || AnoNascimento(nascimento) <= 1900) return "0175";
    return kPassa;
}

std::string fCriticaIdadeAnoBase(std::string_view nascimento, std::string_view anoRef) {
    auto anoNasc = AnoData(nascimento);
    if (!Positivo(anoNasc) || !Positivo(anoRef)) return kPassa;
    long long idade = Numero(anoRef) - Numero(anoNasc);
    if (idade < 0) return "0174";
    if (idade < 9) return "0172";
    if (idade < 15) return "0176";
    return kPassa;
}

std::string fCriticaDeficiente(std::string_view indicador) { return UmOuDois(indicador) ? kPassa : "0001"; }

std::string fCriticaRacaCor(const Referencias& ref, std::string_view raca) {
    if (fVazio(raca)) return "0480";
    return ref.ExisteCodigo(TabelaCodigos::Raca, raca) ? kPassa : "0481";
}

std::string fCriticaNacionalidade(const Referencias& ref, std::string_view nacionalidade) {
    return CodigoTabela(ref, TabelaCodigos::Nacionalidade, nacionalidade, 2, "0180", "0181");
}

std::string fCriticaSexo(std::string_view sexo) { return UmOuDois(sexo) ? kPassa : "3524"; }

std::string fCriticaAnoChegada(std::string_view chegada) { return fCriticaTamanhoNumerico(chegada, 4); }

std::string fCriticaAnoChegadaNacionalidade(std::string_view chegada, std::string_view nacionalidade) {
    if (!Digitos(chegada) || !Digitos(nacionalidade)) return kPassa;
    if (Zero(chegada) && Zero(nacionalidade)) return kPassa;
    if (Apara(nacionalidade) == "10") return Zero(chegada) ? kPassa : "0190";
    return Zero(chegada) ? "0191" : kPassa;
}

std::string fCriticaAnoChegadaAnoBase(std::string_view chegada, std::string_view anoRef,
                                      std::string_view nacionalidade) {
    if (!Positivo(chegada) || !Positivo(anoRef) || !Digitos(nacionalidade)) return kPassa;
    if (Zero(nacionalidade) || Apara(nacionalidade) == "10") return kPassa;
    return Numero(chegada) > Numero(anoRef) ? "0192" : kPassa;
}

std::string fCriticaAnoChegadaNascimento(std::string_view chegada, std::string_view nascimento,
                                         std::string_view nacionalidade) {
    if (!Positivo(chegada) || !NascimentoUtil(nascimento) || !Digitos(nacionalidade)) return kPassa;
    if (Zero(nacionalidade) || Apara(nacionalidade) == "10") return kPassa;
    return Numero(chegada) < AnoNascimento(nascimento) ? "0193" : kPassa;
}

std::string fCriticaInstrucao(const Referencias& ref, std::string_view instrucao) {
    return CodigoTabela(ref, TabelaCodigos::Instrucao, instrucao, 1, "0200", "0201");
}

std::string fCriticaCtpsCpf(std::string_view carteira, std::string_view cpf) {
    if (fVazio(carteira) || fVazio(cpf)) return kPassa;
    return Zero(carteira) && Zero(cpf) ? "0340" : kPassa;
}

std::string fCriticaCpf(std::string_view cpf) {
    if (fVazio(cpf)) return "0211";
    if (auto c = fCriticaTamanhoNumerico(cpf, 11); !fPassou(c)) return c;
    if (Zero(cpf) || fValidaCpf(Apara(cpf))) return kPassa;
    return "0210";
}

// ---- admission, contract and occupation --------------------------------------

std::string fCriticaDataAdmissao(std::string_view admissao) {
    if (fVazioOuZeros(admissao)) return "0392";
    if (auto c = fCriticaTamanhoNumerico(admissao, 8); !fPassou(c)) return c;
    return fDataValida(admissao) ? kPassa : "0390";
}

std::string fCriticaAdmissaoAnoBase(std::string_view admissao, std::string_view anoRef) {
    if (!Positivo(admissao) || !Positivo(anoRef) || !Tamanho(admissao, 8)) return kPassa;
    return Numero(anoRef) < Numero(AnoData(admissao)) ? "0391" : kPassa;
}

std::string fCriticaAdmissaoEncerramento(std::string_view encerramento, std::string_view admissao) {
    if (fVazio(encerramento) || Apara(encerramento) == "00000000") return kPassa;
    // Only two complete dates can be put in order.
    if (!Digitos(encerramento) || !Tamanho(encerramento, 8) || !Digitos(admissao) || !Tamanho(admissao, 8))
        return kPassa;
    return fDataInvertida(encerramento) < fDataInvertida(admissao) ? "0394" : kPassa;
}

std::string fCriticaIdadeAdmissao(std::string_view nascimento, std::string_view admissao) {
    if (!NascimentoUtil(nascimento) || !Positivo(admissao) || !Tamanho(admissao, 8)) return kPassa;
    long long idade = Numero(AnoData(admissao)) - AnoNascimento(nascimento);
    if (MesDia(admissao) < MesDia(nascimento)) --idade;  // birthday not yet reached that year
    if (idade < 9) return "0173";
    if (idade < 14) return "0171";
    return kPassa;
}

std::string fCriticaAdmissaoChegada(std::string_view chegada, std::string_view admissao,
                                    std::string_view nacionalidade) {
    if (!Positivo(chegada) || !Positivo(admissao) || !Positivo(nacionalidade)) return kPassa;
    if (!Tamanho(admissao, 8) || !Tamanho(chegada, 4)) return kPassa;
    if (Apara(nacionalidade) == "10") return kPassa;
    return Numero(AnoData(admissao)) < Numero(chegada) ? "0194" : kPassa;
}

std::string fCriticaTipoAdmissao(const Referencias& ref, std::string_view tipo) {
    return CodigoTabela(ref, TabelaCodigos::TipoAdmissao, tipo, 1, "0221", "0220");
}

std::string fCriticaSalarioContratual(std::string_view salario) {
    auto v = ValorCampo(salario, 9);
    if (fVazio(v)) return "0232";
    if (auto c = fCriticaTamanhoNumerico(v, 9); !fPassou(c)) return c;
    return Zero(v) ? "0232" : kPassa;
}

std::string fCriticaTipoSalario(const Referencias& ref, std::string_view tipo) {
    return CodigoTabela(ref, TabelaCodigos::TipoSalario, tipo, 1, "0241", "0240");
}

std::string fCriticaSalarioContratualTipo(std::string_view salario, std::string_view tipo) {
    if (!Positivo(salario) || !Digitos(tipo) || Apara(tipo) != "1") return kPassa;
    long long centavos = Numero(salario);
    if (fAbaixoSalarioMinimo(centavos, 12)) return "0230";
    if (fAcimaTetoSalarial(centavos, 12)) return "0231";
    return kPassa;
}

std::string fCriticaHorasSemanais(std::string_view horas) {
    if (fVazio(horas)) return "0251";
    if (auto c = fCriticaTamanhoNumerico(horas, 2); !fPassou(c)) return c;
    if (Zero(horas)) return "0251";
    return Numero(horas) > 44 ? "0250" : kPassa;
}

std::string fCriticaCbo(const Referencias& ref, std::string_view cbo) {
    auto c = Apara(cbo);
    for (const char* vedado : kCbosVedados)
        if (c == vedado) return "3645";
    if (c.empty()) return "0261";
    if (c.size() != 6) return kCurtoOuVazio;
    if (auto r = fCriticaTamanhoNumerico(c, 6); !fPassou(r)) return r;
    if (Zero(c)) return "0261";
    return ref.BuscaCbo(c) ? kPassa : "0260";
}

std::string fCriticaCboInstrucao(const Referencias& ref, std::string_view instrucao, std::string_view cbo) {
    if (!Positivo(instrucao) || !Positivo(cbo)) return kPassa;
    const Cbo* registro = ref.BuscaCbo(cbo);
    if (!registro) return kPassa;
    if (registro->criticaCbo && Apara(instrucao) != "9") return "3501";
    if (registro->criticaAna && Apara(instrucao) == "1") return "3635";
    return kPassa;
}

std::string fCriticaTipoVinculo(const Referencias& ref, std::string_view vinculo) {
    return CodigoTabela(ref, TabelaCodigos::Vinculo, vinculo, 2, "0273", "0270");
}

std::string fCriticaVinculoPis(std::string_view vinculo, std::string_view pisPasep) {
    if (!Digitos(vinculo) || !Digitos(pisPasep)) return kPassa;
    if (!Zero(pisPasep)) {
        long long inicio = Numero(Apara(pisPasep).substr(0, 3));
        if (inicio < 109 || inicio > 119) return kPassa;
    }
    return UmDe(vinculo, {"35", "80"}) ? kPassa : "0272";
}

std::string fCriticaVinculoTipoInscricao(std::string_view vinculo, std::string_view tipoInscricao) {
    if (fVazioOuZeros(vinculo) || fVazioOuZeros(tipoInscricao)) return kPassa;
    auto tipo = Apara(tipoInscricao);
    if (tipo == "1")
        return UmDe(vinculo, {"10", "20", "30", "31", "35", "40", "50", "55", "60", "70", "80", "90", "95", "96", "97"})
                   ? kPassa
                   : "0271";
    if (tipo == "3") return UmDe(vinculo, {"15", "25", "55", "65", "75"}) ? kPassa : "0271";
    return kPassa;
}

std::string fCriticaIdadeVinculo(std::string_view vinculo, std::string_view nascimento,
                                 std::string_view anoComparacao) {
    if (!NascimentoUtil(nascimento) || !Digitos(anoComparacao)) return kPassa;
    long long idade = Numero(anoComparacao) - AnoNascimento(nascimento);
    if (Apara(vinculo) == "55") return idade < 14 || idade > 24 ? "3502" : kPassa;
    return idade <= 16 ? "3510" : kPassa;
}

std::string fCriticaVinculoCnae(std::string_view vinculo, std::string_view cnae) {
    if (Apara(cnae).substr(0, 2) != "75") return kPassa;
    return VinculoAdministracaoPublica(vinculo) ? kPassa : "3507";
}

std::string fCriticaVinculoNatureza(std::string_view vinculo, std::string_view naturezaJuridica) {
    if (Apara(naturezaJuridica).substr(0, 1) != "1") return kPassa;
    return VinculoAdministracaoPublica(vinculo) ? kPassa : "3519";
}

std::string fCriticaProporcaoEstrangeiros(long empregados, long estrangeiros) {
    return empregados > 5 && estrangeiros * 3 > empregados ? "0393" : kPassa;
}

std::string fCriticaAlvara(std::string_view alvara) { return UmOuDois(alvara) ? kPassa : "0001"; }

std::string fCriticaAlvaraIdade(std::string_view alvara, std::string_view nascimento, std::string_view vinculo,
                                std::string_view anoComparacao) {
    if (Digitos(nascimento) && Digitos(vinculo) && !UmOuDois(alvara)) return kPassa;
    if (Apara(alvara) != "1") return kPassa;
    if (Apara(vinculo) == "55") return "3531";
    if (NascimentoUtil(nascimento) && Digitos(anoComparacao) && Numero(anoComparacao) - AnoNascimento(nascimento) > 16)
        return "3531";
    return kPassa;
}

// ---- termination -------------------------------------------------------------------

std::string fCriticaCausaDesligamento(const Referencias& ref, std::string_view causa) {
    if (fVazio(causa)) return "0280";
    if (auto c = fCriticaTamanhoNumerico(causa, 2); !fPassou(c)) return c;
    if (Zero(causa)) return kPassa;
    return ref.ExisteCodigo(TabelaCodigos::CausaDesligamento, causa) ? kPassa : "0280";
}

std::string fCriticaCausaEncerramento(std::string_view indicadorEncerramento, std::string_view anoBaseEstab,
                                      std::string_view causa, std::string_view anoBasePrograma) {
    if (Apara(anoBaseEstab) != Apara(anoBasePrograma) || Apara(indicadorEncerramento) != "1") return kPassa;
    return fVazioOuZeros(causa) ? "0281" : kPassa;
}

std::string fCriticaDataDesligamento(std::string_view desligamento, std::string_view anoBase) {
    if (fVazio(desligamento)) return "0292";
    if (auto c = fCriticaTamanhoNumerico(desligamento, 4); !fPassou(c)) return c;
    if (Zero(desligamento)) return kPassa;
    return fDataValida(std::string(Apara(desligamento)) + std::string(Apara(anoBase))) ? kPassa : "0292";
}

std::string fCriticaDesligamentoCausa(std::string_view desligamento, std::string_view causa) {
    if (!Digitos(desligamento) || !Digitos(causa)) return kPassa;
    if (fCausaSemDataDesligamento(causa)) return Zero(desligamento) ? kPassa : "3512";
    if (!Zero(causa)) return Zero(desligamento) ? "0291" : kPassa;
    return Zero(desligamento) ? kPassa : "0293";
}

bool fCausaSemDataDesligamento(std::string_view causa) { return UmDe(causa, {"71", "78", "80"}); }

std::string fCriticaDesligamentoAnoReferencia(std::string_view desligamento, std::string_view anoRef) {
    return Apara(anoRef) != kTextoAnoBase && Apara(desligamento) == "0000" ? "0294" : kPassa;
}

std::string fCriticaDesligamentoAdmissao(std::string_view desligamento, std::string_view admissao,
                                         std::string_view anoRef) {
    if (!Positivo(desligamento) || !Tamanho(desligamento, 4)) return kPassa;
    if (!Positivo(admissao) || !Tamanho(admissao, 8) || fVazio(anoRef)) return kPassa;
    if (AnoData(admissao) != Apara(anoRef)) return kPassa;
    return MesDia(desligamento) < MesDia(admissao) ? "0290" : kPassa;
}

std::string fCriticaDesligamentoEncerramento(std::string_view desligamento, std::string_view encerramento,
                                             std::string_view anoRef) {
    if (!Positivo(desligamento) || !Tamanho(desligamento, 4)) return kPassa;
    if (!Positivo(encerramento) || !Tamanho(encerramento, 8) || fVazio(anoRef)) return kPassa;
    if (AnoData(encerramento) != Apara(anoRef)) return kPassa;
    return MesDia(encerramento) < MesDia(desligamento) ? "3603" : kPassa;
}

std::string fCriticaAvisoPrevio(std::string_view aviso) {
    auto v = ValorCampo(aviso, 9);
    if (fVazio(v)) return "0335";
    return fCriticaTamanhoNumerico(v, 9);
}

}  // namespace zovi
