#include "DeclaracaoTeste.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

#include "analysis/LeiauteArquivo.h"
#include "declfile/Leiaute.h"
#include "zovi2005.h"

namespace zovi::teste {

namespace {

std::string Zeros(long n, int largura) {
    std::string s = std::to_string(n);
    return std::string(static_cast<size_t>(largura) - s.size(), '0') + s;
}

}  // namespace

std::string Registro(char tipo, const Valores& valores) {
    std::string r(kTamanhoRegistro, ' ');
    for (const auto& c : CamposLeiaute(tipo)) {
        if (c.formato == FormatoCampo::Literal) {
            std::memcpy(r.data() + c.posicao - 1, c.padrao, static_cast<size_t>(c.largura));
            continue;
        }
        if (!c.origem) continue;
        auto it = valores.find(c.origem);
        PoeCampoLeiaute(r.data(), c, it == valores.end() ? std::string() : it->second);
    }
    return r;
}

void Poe(std::string& registro, char tipo, const std::string& origem, const std::string& valor) {
    for (const auto& c : CamposLeiaute(tipo))
        if (c.origem && origem == c.origem) {
            PoeCampo(registro.data() + c.posicao - 1, valor, c.largura);
            return;
        }
    throw std::logic_error("campo sem lugar no leiaute: " + origem);
}

std::vector<std::string> Declaracao::Registros() const {
    std::vector<std::string> r;
    long seq = 0, n1 = 0, n2 = 0, prefixos = 0;
    Valores cab = responsavel;
    cab[item::Inscricao] = estabelecimentos.empty() ? "" : estabelecimentos.front().inscricao;
    cab[item::Prefixo] = estabelecimentos.empty() ? "" : estabelecimentos.front().prefixo;
    r.push_back(Registro('0', cab));
    ++seq;
    for (const auto& e : estabelecimentos) {
        Valores v = e.valores;
        v[item::Sequencial] = Zeros(++seq, 6);
        v["CoCgcCeiEstabelecimento"] = e.inscricao;
        v["NuPrefixoEstabelecimento"] = e.prefixo;
        if (!v.count("InZoviNegEstabelecimento")) v["InZoviNegEstabelecimento"] = e.empregados.empty() ? "1" : "0";
        r.push_back(Registro('1', v));
        ++n1;
        if (e.prefixo != "00") ++prefixos;
        for (const auto& emp : e.empregados) {
            Valores w = emp.valores;
            w[item::Sequencial] = Zeros(++seq, 6);
            w[item::Inscricao] = e.inscricao;
            w[item::Prefixo] = e.prefixo;
            r.push_back(Registro('2', w));
            ++n2;
        }
    }
    Valores fim;
    fim[item::Sequencial] = Zeros(++seq, 6);
    fim[item::Inscricao] = estabelecimentos.empty() ? "" : estabelecimentos.back().inscricao;
    fim[item::Prefixo] = estabelecimentos.empty() ? "" : estabelecimentos.back().prefixo;
    fim[item::QtTipo1] = Zeros(n1, 6);
    fim[item::QtTipo2] = Zeros(n2, 6);
    fim[item::QtPrefixo] = Zeros(prefixos, 6);
    fim[item::Estatistica] = "995211";
    fim["NuRespostaPesquisa"] = responsavel.count("NuRespostaPesquisa") ? responsavel.at("NuRespostaPesquisa") : "";
    r.push_back(Registro('9', fim));
    return r;
}

std::string ParaAnterior(std::string r) {
    const char tipo = r[22];
    std::string a = r.substr(0, kTamanhoRegistroAnterior);
    if (tipo == '1') {
        a.replace(292, 4, "2004");
        a.replace(338, 12, r.substr(511, 12));
    }
    if (tipo == '2') a.replace(338, 12, r.substr(511, 12));
    if (tipo == '9') a.replace(318, 32, r.substr(491, 32));
    return a;
}

std::string Junta(const std::vector<std::string>& registros, const std::string& quebra) {
    std::string s;
    for (const auto& r : registros) s += r + quebra;
    return s;
}

void GravaArquivo(const std::filesystem::path& caminho, const std::string& conteudo) {
    std::ofstream f(caminho, std::ios::binary);
    f.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
}

void Sela(const std::filesystem::path& caminho) {
    char selo[ZOVI2005_SELO] = {};
    if (!hashFileGenerate(caminho.c_str(), selo)) throw std::runtime_error("selo não gerado");
    std::fstream f(caminho, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(-kDistanciaSeloFim, std::ios::end);
    f.write(selo, kTamanhoSelo);
}

Declaracao DeclaracaoPequena() {
    Declaracao d;
    d.responsavel = {{"CoCgcCeiResponsavel", "11222333000181"},
                     {"InInscrResponsavel", "1"},
                     {"NoResponsavelArquivo", "Contabilidade Exemplo"},
                     {"InReciboParaRespArquivo", "1"},
                     {item::Retificacao, "2"},
                     {item::DataRetificacao, "00000000"},
                     {item::DataGeracao, "15022006"},
                     {item::HoraGravacao, "101500"},
                     {"NuRespostaPesquisa", "123"}};
    Estabelecimento a;
    a.valores = {{"NoRazaoEstabelecimento", "Padaria Pão Quente"}, {"InInscrEstabelecimento", "1"},
                 {"CoCgcVinculado", "00123456789012"}, {"InParticipaPAT", "2"}};
    Empregado e1{{{"CoPisPasepEmpregado", "12345678901"},
                  {"NoEmpregado", "Maria da Silva"},
                  {"CoNacionalidade", "10"},
                  {"DaAdmissaoEmpregado", "01022005"},
                  {"VaJaneiroEmpregado", "000123456"},
                  {"CoMotivoPrimAfas", "10"}}};
    Empregado e2{{{"CoPisPasepEmpregado", "10987654321"}, {"NoEmpregado", "John Smith"}, {"CoNacionalidade", "40"},
                  {"DaAdmissaoEmpregado", "01032005"}}};
    Empregado e3{{{"CoPisPasepEmpregado", "11111111111"}, {"NoEmpregado", "Sem Nacionalidade"},
                  {"DaAdmissaoEmpregado", "01042005"}}};
    a.empregados = {e1, e2, e3};
    Estabelecimento b;
    b.inscricao = "44555666000199";
    b.prefixo = "01";
    b.valores = {{"NoRazaoEstabelecimento", "Filial Sem Empregados"}, {"InInscrEstabelecimento", "1"}};
    d.estabelecimentos = {a, b};
    return d;
}

}  // namespace zovi::teste
