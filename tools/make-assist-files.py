#!/usr/bin/env python3
"""Writes the assist files resources/Assist/*.ast (Shift JIS, CR LF) from the
tables below (UTF-8). Run from the repository root:
    python3 tools/make-assist-files.py
Entry n of a section is Image<n>, Word<n> and Comment<n>; a word that begins
with "@" names a section whose words are added in its place."""
import html.entities
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'Assist')

# Icons of strip 212 (input assist) and 210 (attribute and value assist).
I_ELEM, I_EMPTY, I_CHAR, I_DECL, I_PVAR, I_PFUNC, I_PSTMT, I_HEAD = range(8)
A_ATTR, A_EVENT, A_VALUE, A_COLOR, A_OBSOLETE = range(5)

# name: (Japanese comment, empty element, usually takes attributes, HTML 4.01, current standard)
ELEMENTS = {
    'a': ('リンク・アンカー', 0, 1, 1, 1), 'abbr': ('略語', 0, 0, 1, 1),
    'acronym': ('頭字語 (廃止)', 0, 0, 1, 0), 'address': ('連絡先', 0, 0, 1, 1),
    'applet': ('Java アプレット (廃止)', 0, 1, 1, 0), 'area': ('イメージマップの領域', 1, 1, 1, 1),
    'article': ('記事', 0, 0, 0, 1), 'aside': ('補足', 0, 0, 0, 1), 'audio': ('音声', 0, 1, 0, 1),
    'b': ('太字', 0, 0, 1, 1), 'base': ('基準 URL', 1, 1, 1, 1), 'basefont': ('基準フォント (廃止)', 1, 1, 1, 0),
    'bdi': ('書字方向の分離', 0, 0, 0, 1), 'bdo': ('書字方向の指定', 0, 1, 1, 1), 'big': ('大きな文字 (廃止)', 0, 0, 1, 0),
    'blockquote': ('引用ブロック', 0, 0, 1, 1), 'body': ('本文', 0, 0, 1, 1), 'br': ('改行', 1, 0, 1, 1),
    'button': ('ボタン', 0, 1, 1, 1), 'canvas': ('描画領域', 0, 1, 0, 1), 'caption': ('表の見出し', 0, 0, 1, 1),
    'center': ('中央揃え (廃止)', 0, 0, 1, 0), 'cite': ('出典', 0, 0, 1, 1), 'code': ('コード', 0, 0, 1, 1),
    'col': ('表の列', 1, 1, 1, 1), 'colgroup': ('表の列グループ', 0, 1, 1, 1), 'data': ('機械可読な値', 0, 1, 0, 1),
    'datalist': ('入力候補の一覧', 0, 1, 0, 1), 'dd': ('定義の説明', 0, 0, 1, 1), 'del': ('削除された部分', 0, 0, 1, 1),
    'details': ('開閉できる詳細', 0, 0, 0, 1), 'dfn': ('定義語', 0, 0, 1, 1), 'dialog': ('ダイアログ', 0, 0, 0, 1),
    'dir': ('ディレクトリ一覧 (廃止)', 0, 0, 1, 0), 'div': ('ブロック', 0, 1, 1, 1), 'dl': ('定義リスト', 0, 0, 1, 1),
    'dt': ('定義語', 0, 0, 1, 1), 'em': ('強調', 0, 0, 1, 1), 'embed': ('埋め込み', 1, 1, 0, 1),
    'fieldset': ('フォームのグループ', 0, 0, 1, 1), 'figcaption': ('図の説明', 0, 0, 0, 1), 'figure': ('図', 0, 0, 0, 1),
    'font': ('フォント (廃止)', 0, 1, 1, 0), 'footer': ('フッター', 0, 0, 0, 1), 'form': ('フォーム', 0, 1, 1, 1),
    'frame': ('フレーム (廃止)', 1, 1, 1, 0), 'frameset': ('フレームセット (廃止)', 0, 1, 1, 0),
    'h1': ('見出し 1', 0, 0, 1, 1), 'h2': ('見出し 2', 0, 0, 1, 1), 'h3': ('見出し 3', 0, 0, 1, 1),
    'h4': ('見出し 4', 0, 0, 1, 1), 'h5': ('見出し 5', 0, 0, 1, 1), 'h6': ('見出し 6', 0, 0, 1, 1),
    'head': ('ヘッダー部', 0, 0, 1, 1), 'header': ('ヘッダー', 0, 0, 0, 1), 'hgroup': ('見出しのグループ', 0, 0, 0, 1),
    'hr': ('水平線', 1, 0, 1, 1), 'html': ('文書全体', 0, 1, 1, 1), 'i': ('斜体', 0, 0, 1, 1),
    'iframe': ('インラインフレーム', 0, 1, 1, 1), 'img': ('画像', 1, 1, 1, 1), 'input': ('入力欄', 1, 1, 1, 1),
    'ins': ('挿入された部分', 0, 0, 1, 1), 'isindex': ('検索欄 (廃止)', 1, 1, 1, 0), 'kbd': ('キーボード入力', 0, 0, 1, 1),
    'label': ('ラベル', 0, 1, 1, 1), 'legend': ('グループの見出し', 0, 0, 1, 1), 'li': ('リスト項目', 0, 0, 1, 1),
    'link': ('関連文書', 1, 1, 1, 1), 'main': ('主要部分', 0, 0, 0, 1), 'map': ('イメージマップ', 0, 1, 1, 1),
    'mark': ('ハイライト', 0, 0, 0, 1), 'menu': ('メニュー', 0, 0, 1, 1), 'meta': ('メタ情報', 1, 1, 1, 1),
    'meter': ('計量値', 0, 1, 0, 1), 'nav': ('ナビゲーション', 0, 0, 0, 1), 'noframes': ('フレーム非対応時の内容 (廃止)', 0, 0, 1, 0),
    'noscript': ('スクリプト無効時の内容', 0, 0, 1, 1), 'object': ('埋め込みオブジェクト', 0, 1, 1, 1),
    'ol': ('番号付きリスト', 0, 0, 1, 1), 'optgroup': ('選択肢のグループ', 0, 1, 1, 1), 'option': ('選択肢', 0, 1, 1, 1),
    'output': ('計算結果', 0, 1, 0, 1), 'p': ('段落', 0, 0, 1, 1), 'param': ('オブジェクトの引数', 1, 1, 1, 0),
    'picture': ('画像の候補', 0, 0, 0, 1), 'pre': ('整形済みテキスト', 0, 0, 1, 1), 'progress': ('進捗', 0, 1, 0, 1),
    'q': ('短い引用', 0, 0, 1, 1), 'rp': ('ルビの括弧', 0, 0, 0, 1), 'rt': ('ルビ', 0, 0, 0, 1), 'ruby': ('ルビ付き文字', 0, 0, 0, 1),
    's': ('取り消し線', 0, 0, 1, 1), 'samp': ('出力例', 0, 0, 1, 1), 'script': ('スクリプト', 0, 1, 1, 1),
    'search': ('検索部分', 0, 0, 0, 1), 'section': ('節', 0, 0, 0, 1), 'select': ('選択リスト', 0, 1, 1, 1),
    'slot': ('シャドウ DOM の差し込み口', 0, 1, 0, 1), 'small': ('注記・小さな文字', 0, 0, 1, 1), 'source': ('メディアの候補', 1, 1, 0, 1),
    'span': ('インライン範囲', 0, 1, 1, 1), 'strike': ('取り消し線 (廃止)', 0, 0, 1, 0), 'strong': ('重要', 0, 0, 1, 1),
    'style': ('スタイルシート', 0, 1, 1, 1), 'sub': ('下付き文字', 0, 0, 1, 1), 'summary': ('詳細の見出し', 0, 0, 0, 1),
    'sup': ('上付き文字', 0, 0, 1, 1), 'table': ('表', 0, 1, 1, 1), 'tbody': ('表の本体', 0, 0, 1, 1),
    'td': ('表のセル', 0, 0, 1, 1), 'template': ('テンプレート', 0, 0, 0, 1), 'textarea': ('複数行の入力欄', 0, 1, 1, 1),
    'tfoot': ('表のフッター', 0, 0, 1, 1), 'th': ('表の見出しセル', 0, 0, 1, 1), 'thead': ('表のヘッダー', 0, 0, 1, 1),
    'time': ('日時', 0, 1, 0, 1), 'title': ('文書のタイトル', 0, 0, 1, 1), 'tr': ('表の行', 0, 0, 1, 1),
    'track': ('字幕トラック', 1, 1, 0, 1), 'tt': ('等幅文字 (廃止)', 0, 0, 1, 0), 'u': ('下線', 0, 0, 1, 1),
    'ul': ('箇条書きリスト', 0, 0, 1, 1), 'var': ('変数', 0, 0, 1, 1), 'video': ('動画', 0, 1, 0, 1), 'wbr': ('改行可能位置', 1, 0, 0, 1),
}

ATTR_JA = {
    'abbr': '略称', 'accept': '受け付けるファイルの種類', 'accept-charset': '受け付ける文字コード', 'accesskey': 'アクセスキー',
    'action': '送信先 URL', 'align': '配置', 'alink': '選択中のリンクの色', 'allow': '許可する機能', 'allowfullscreen': '全画面表示を許可',
    'alt': '代替テキスト', 'archive': 'アーカイブ', 'async': '非同期に実行', 'autocomplete': '自動補完', 'autofocus': '自動でフォーカス',
    'autoplay': '自動再生', 'axis': 'セルの分類', 'background': '背景画像', 'bgcolor': '背景色', 'border': '枠線の太さ',
    'cellpadding': 'セル内の余白', 'cellspacing': 'セルの間隔', 'char': '揃える文字', 'charoff': '揃える文字の位置',
    'charset': '文字コード', 'checked': '選択済み', 'cite': '引用元 URL', 'class': 'クラス名', 'classid': 'クラス ID',
    'clear': '回り込みの解除', 'code': 'クラスファイル', 'codebase': '基準 URL', 'codetype': 'コードの種類', 'color': '文字色',
    'cols': '列数', 'colspan': '結合する列数', 'compact': '詰めて表示', 'content': '内容', 'contenteditable': '編集可能',
    'controls': '操作パネルを表示', 'coords': '座標', 'crossorigin': 'クロスオリジンの扱い', 'data': 'データの URL', 'datetime': '日時',
    'declare': '宣言のみ', 'decoding': '画像のデコード方法', 'default': '既定', 'defer': '読み込み後に実行', 'dir': '書字方向',
    'dirname': '書字方向の送信名', 'disabled': '無効', 'download': 'ダウンロード', 'draggable': 'ドラッグ可能', 'enctype': '送信データの形式',
    'enterkeyhint': 'Enter キーの表示', 'face': 'フォント名', 'for': '対象の ID', 'form': '所属するフォーム', 'formaction': '送信先 URL',
    'formenctype': '送信データの形式', 'formmethod': '送信方法', 'formnovalidate': '検証しない', 'formtarget': '送信結果の表示先',
    'frame': '外枠の表示', 'frameborder': 'フレームの枠', 'headers': '見出しセルの ID', 'height': '高さ', 'hidden': '非表示',
    'high': '高い値の境界', 'href': 'リンク先 URL', 'hreflang': 'リンク先の言語', 'hspace': '左右の余白', 'http-equiv': 'HTTP ヘッダー相当',
    'id': '識別名', 'inert': '操作不可', 'inputmode': '入力モード', 'integrity': '完全性の検査値', 'is': 'カスタム要素名', 'ismap': 'サーバー側イメージマップ',
    'kind': 'トラックの種類', 'label': 'ラベル', 'lang': '言語', 'language': 'スクリプト言語 (廃止)', 'link': 'リンクの色', 'list': '候補一覧の ID',
    'loading': '読み込みの時期', 'longdesc': '詳しい説明の URL', 'loop': '繰り返し再生', 'low': '低い値の境界', 'marginheight': '上下の余白',
    'marginwidth': '左右の余白', 'max': '最大値', 'maxlength': '最大文字数', 'media': 'メディアの種類', 'method': '送信方法', 'min': '最小値',
    'minlength': '最小文字数', 'multiple': '複数選択', 'muted': '消音', 'name': '名前', 'nohref': 'リンクなし', 'nomodule': 'モジュール非対応時のみ実行',
    'nonce': 'ワンタイム値', 'noresize': 'サイズ変更不可', 'noshade': '影なし', 'novalidate': '検証しない', 'nowrap': '折り返さない',
    'open': '開いた状態', 'optimum': '最適値', 'pattern': '入力パターン', 'ping': '通知先 URL', 'placeholder': '入力例', 'playsinline': 'インラインで再生',
    'popover': 'ポップオーバー', 'poster': '代表画像', 'preload': '事前読み込み', 'profile': 'メタデータの辞書', 'readonly': '読み取り専用',
    'referrerpolicy': 'リファラーの扱い', 'rel': 'リンク先との関係', 'required': '入力必須', 'rev': '逆方向の関係', 'reversed': '降順',
    'rows': '行数', 'rowspan': '結合する行数', 'rules': '罫線の表示', 'sandbox': '制限', 'scheme': '値の形式', 'scope': '見出しの範囲',
    'scrolling': 'スクロールバー', 'selected': '選択済み', 'shape': '領域の形', 'size': 'サイズ', 'sizes': '表示サイズ', 'slot': 'スロット名',
    'span': '列数', 'spellcheck': 'スペルチェック', 'src': 'ファイルの URL', 'srcdoc': '埋め込む HTML', 'srclang': 'トラックの言語',
    'srcset': '画像の候補', 'standby': '読み込み中のメッセージ', 'start': '開始番号', 'step': '刻み幅', 'style': 'スタイル', 'summary': '表の要約',
    'tabindex': 'タブ順序', 'target': '表示先', 'text': '文字色', 'title': '補足説明', 'translate': '翻訳対象', 'type': '種類', 'usemap': 'イメージマップ名',
    'valign': '縦の配置', 'value': '値', 'valuetype': '値の種類', 'version': 'DTD のバージョン', 'vlink': '訪問済みリンクの色', 'vspace': '上下の余白',
    'width': '幅', 'wrap': '折り返し', 'xmlns': '名前空間', 'xml:lang': '言語 (XML)', 'xml:space': '空白の扱い (XML)',
}
OBSOLETE = {'align', 'valign', 'bgcolor', 'background', 'border', 'cellpadding', 'cellspacing', 'char', 'charoff', 'clear',
            'color', 'compact', 'face', 'frame', 'frameborder', 'hspace', 'vspace', 'language', 'link', 'alink', 'vlink',
            'text', 'marginheight', 'marginwidth', 'noshade', 'nowrap', 'rules', 'scrolling', 'summary', 'version', 'axis',
            'abbr', 'scheme', 'rev', 'longdesc', 'nohref', 'profile', 'classid', 'codebase', 'codetype', 'archive',
            'declare', 'standby', 'valuetype'}
GLOBAL = ['accesskey', 'class', 'contenteditable', 'dir', 'draggable', 'hidden', 'id', 'lang', 'spellcheck', 'style',
          'tabindex', 'title', 'translate']
EVENTS = ['onblur', 'onchange', 'onclick', 'oncontextmenu', 'ondblclick', 'onfocus', 'oninput', 'onkeydown', 'onkeypress',
          'onkeyup', 'onmousedown', 'onmouseenter', 'onmouseleave', 'onmousemove', 'onmouseout', 'onmouseover',
          'onmouseup', 'onwheel']
EVENT_JA = {'onblur': 'フォーカスを失ったとき', 'onchange': '値が変わったとき', 'onclick': 'クリックされたとき',
            'oncontextmenu': '右クリックメニューを開くとき', 'ondblclick': 'ダブルクリックされたとき', 'onfocus': 'フォーカスを得たとき',
            'oninput': '入力されたとき', 'onkeydown': 'キーが押されたとき', 'onkeypress': 'キーが押されている間',
            'onkeyup': 'キーが離されたとき', 'onmousedown': 'マウスボタンが押されたとき', 'onmouseenter': 'マウスが入ったとき',
            'onmouseleave': 'マウスが出たとき', 'onmousemove': 'マウスが動いたとき', 'onmouseout': 'マウスが離れたとき',
            'onmouseover': 'マウスが乗ったとき', 'onmouseup': 'マウスボタンが離されたとき', 'onwheel': 'ホイールが回されたとき',
            'onload': '読み込みが終わったとき', 'onunload': 'ページを離れるとき', 'onsubmit': '送信するとき', 'onreset': 'リセットするとき',
            'onselect': 'テキストが選択されたとき', 'onerror': 'エラーが起きたとき', 'onresize': 'サイズが変わったとき',
            'onscroll': 'スクロールしたとき', 'onbeforeunload': 'ページを離れる前', 'onhashchange': 'URL の # 以降が変わったとき'}

# Each element's own attributes (the global and event ones come by reference).
EA = {
    'a': 'charset coords download href hreflang name ping referrerpolicy rel rev shape target type',
    'applet': 'align alt archive code codebase height hspace name object vspace width',
    'area': 'alt coords download href hreflang nohref ping referrerpolicy rel shape target',
    'audio': 'autoplay controls crossorigin loop muted preload src',
    'base': 'href target', 'basefont': 'color face size', 'blockquote': 'cite', 'body': 'alink background bgcolor link onload onunload text vlink',
    'br': 'clear', 'button': 'disabled form formaction formenctype formmethod formnovalidate formtarget name popovertarget type value',
    'canvas': 'height width', 'caption': 'align', 'col': 'align char charoff span valign width',
    'colgroup': 'align char charoff span valign width', 'data': 'value', 'del': 'cite datetime', 'details': 'name open',
    'dialog': 'open', 'dir': 'compact', 'div': 'align', 'dl': 'compact',
    'embed': 'height src type width', 'fieldset': 'disabled form name', 'font': 'color face size',
    'form': 'accept accept-charset action autocomplete enctype method name novalidate onreset onsubmit target',
    'frame': 'frameborder longdesc marginheight marginwidth name noresize scrolling src',
    'frameset': 'cols onload onunload rows', 'h1': 'align', 'h2': 'align', 'h3': 'align', 'h4': 'align', 'h5': 'align', 'h6': 'align',
    'head': 'profile', 'hr': 'align noshade size width', 'html': 'lang manifest version xmlns',
    'iframe': 'align allow allowfullscreen frameborder height loading longdesc marginheight marginwidth name referrerpolicy sandbox scrolling src srcdoc width',
    'img': 'align alt border crossorigin decoding height hspace ismap loading longdesc name referrerpolicy sizes src srcset usemap vspace width',
    'input': 'accept align alt autocomplete checked dirname disabled form formaction formenctype formmethod formnovalidate formtarget height list max maxlength min minlength multiple name pattern placeholder readonly required size src step type usemap value width',
    'ins': 'cite datetime', 'isindex': 'prompt', 'label': 'for form', 'legend': 'align', 'li': 'type value',
    'link': 'as charset crossorigin href hreflang integrity media referrerpolicy rel rev sizes type',
    'map': 'name', 'menu': 'compact', 'meta': 'charset content http-equiv name scheme',
    'meter': 'high low max min optimum value', 'object': 'align archive border classid codebase codetype data declare form height hspace name standby type usemap vspace width',
    'ol': 'compact reversed start type', 'optgroup': 'disabled label', 'option': 'disabled label selected value',
    'output': 'for form name', 'p': 'align', 'param': 'name type value valuetype', 'pre': 'width', 'progress': 'max value', 'q': 'cite',
    'script': 'async charset crossorigin defer integrity language nomodule referrerpolicy src type',
    'select': 'autocomplete disabled form multiple name required size', 'slot': 'name',
    'source': 'media sizes src srcset type', 'style': 'media type',
    'table': 'align bgcolor border cellpadding cellspacing frame rules summary width',
    'tbody': 'align char charoff valign', 'td': 'abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign width',
    'textarea': 'autocomplete cols dirname disabled form maxlength minlength name placeholder readonly required rows wrap',
    'tfoot': 'align char charoff valign', 'th': 'abbr align axis bgcolor char charoff colspan headers height nowrap rowspan scope valign width',
    'thead': 'align char charoff valign', 'time': 'datetime', 'tr': 'align bgcolor char charoff valign',
    'track': 'default kind label src srclang', 'ul': 'compact type',
    'video': 'autoplay controls crossorigin height loop muted playsinline poster preload src width',
}

COLORS = [('#000000', '黒 (black)'), ('#000080', '濃紺 (navy)'), ('#0000FF', '青 (blue)'), ('#008000', '緑 (green)'),
          ('#008080', '青緑 (teal)'), ('#00FF00', '明るい緑 (lime)'), ('#00FFFF', '水色 (aqua)'), ('#800000', 'えび茶 (maroon)'),
          ('#800080', '紫 (purple)'), ('#808000', 'オリーブ (olive)'), ('#808080', '灰色 (gray)'), ('#C0C0C0', '銀 (silver)'),
          ('#FF0000', '赤 (red)'), ('#FF00FF', '赤紫 (fuchsia)'), ('#FFFF00', '黄 (yellow)'), ('#FFFFFF', '白 (white)')]

def q(v):
    return '"' + v + '"'

def vals(pairs, image=A_VALUE):
    return [(image, q(v), c) for v, c in pairs]

# element::attribute sections and the shared lists they refer to.
REFS = {
    '@align-block': vals([('left', '左揃え'), ('center', '中央揃え'), ('right', '右揃え'), ('justify', '両端揃え')]),
    '@align-cell': vals([('left', '左揃え'), ('center', '中央揃え'), ('right', '右揃え'), ('justify', '両端揃え'), ('char', '指定文字で揃える')]),
    '@align-table': vals([('left', '左寄せ'), ('center', '中央'), ('right', '右寄せ')]),
    '@align-caption': vals([('top', '上'), ('bottom', '下'), ('left', '左'), ('right', '右')]),
    '@align-image': vals([('top', '上端揃え'), ('middle', '中央揃え'), ('bottom', '下端揃え'), ('left', '左に回り込み'), ('right', '右に回り込み')]),
    '@valign': vals([('top', '上揃え'), ('middle', '中央揃え'), ('bottom', '下揃え'), ('baseline', 'ベースライン揃え')]),
    '@color': [(A_COLOR, q(v), c) for v, c in COLORS],
    '@lang': vals([('ja', '日本語'), ('en', '英語'), ('en-US', '英語 (米国)'), ('en-GB', '英語 (英国)'), ('zh', '中国語'),
                   ('ko', '韓国語'), ('fr', 'フランス語'), ('de', 'ドイツ語'), ('es', 'スペイン語'), ('it', 'イタリア語')]),
    '@dir': vals([('ltr', '左から右'), ('rtl', '右から左'), ('auto', '自動')]),
    '@charset': vals([('Shift_JIS', 'シフト JIS'), ('EUC-JP', 'EUC-JP'), ('ISO-2022-JP', 'JIS (ISO-2022-JP)'), ('UTF-8', 'UTF-8')]),
    '@target': vals([('_blank', '新しいウィンドウ'), ('_self', '同じフレーム'), ('_parent', '親フレーム'), ('_top', 'ウィンドウ全体')]),
    '@method': vals([('get', 'GET で送信'), ('post', 'POST で送信'), ('dialog', 'ダイアログを閉じる')]),
    '@enctype': vals([('application/x-www-form-urlencoded', 'URL エンコード (既定)'), ('multipart/form-data', 'ファイル送信用'), ('text/plain', 'テキスト')]),
    '@shape': vals([('rect', '四角形'), ('circle', '円'), ('poly', '多角形'), ('default', '全体')]),
    '@url': vals([('#', 'ページ内のアンカー'), ('http://', 'http の URL'), ('https://', 'https の URL'), ('mailto:', 'メールアドレス'),
                  ('index.html', 'トップページ'), ('./', '同じフォルダー'), ('../', '上のフォルダー')]),
    '@script-type': vals([('text/javascript', 'JavaScript'), ('module', 'JavaScript モジュール'), ('text/vbscript', 'VBScript')]),
}
for ref, items in REFS.items():
    REFS[ref] = sorted(items, key=lambda e: e[1].lower())

AV = {
    'input::type': vals([(t, c) for t, c in [('button', 'ボタン'), ('checkbox', 'チェックボックス'), ('color', '色'), ('date', '日付'),
        ('datetime-local', '日時'), ('email', 'メールアドレス'), ('file', 'ファイル'), ('hidden', '隠しデータ'), ('image', '画像ボタン'),
        ('month', '年月'), ('number', '数値'), ('password', 'パスワード'), ('radio', 'ラジオボタン'), ('range', '範囲'),
        ('reset', 'リセットボタン'), ('search', '検索語'), ('submit', '送信ボタン'), ('tel', '電話番号'), ('text', '1 行テキスト'),
        ('time', '時刻'), ('url', 'URL'), ('week', '週')]]),
    'a::target': [(A_VALUE, '@target', '')], 'area::target': [(A_VALUE, '@target', '')], 'base::target': [(A_VALUE, '@target', '')],
    'form::target': [(A_VALUE, '@target', '')], 'form::method': [(A_VALUE, '@method', '')], 'form::enctype': [(A_VALUE, '@enctype', '')],
    'button::type': vals([('button', '汎用ボタン'), ('reset', 'リセットボタン'), ('submit', '送信ボタン')]),
    'area::shape': [(A_VALUE, '@shape', '')], 'a::shape': [(A_VALUE, '@shape', '')],
    'meta::http-equiv': vals([('Content-Script-Type', 'スクリプトの種類'), ('Content-Style-Type', 'スタイルシートの種類'),
        ('Content-Type', '文書の種類と文字コード'), ('Content-Language', '文書の言語'), ('Expires', '有効期限'),
        ('Pragma', 'キャッシュの制御'), ('Refresh', '自動で再読み込み・移動'), ('X-UA-Compatible', '互換表示モード')]),
    'meta::name': vals([('author', '作者'), ('description', 'ページの説明'), ('generator', '作成ツール'), ('keywords', 'キーワード'),
        ('robots', '検索ロボットへの指示'), ('theme-color', 'テーマの色'), ('viewport', '表示領域の設定')]),
    'meta::charset': [(A_VALUE, '@charset', '')], 'meta::content': vals([('text/html; charset=Shift_JIS', 'HTML (シフト JIS)'),
        ('text/html; charset=UTF-8', 'HTML (UTF-8)'), ('text/css', 'CSS'), ('text/javascript', 'JavaScript'), ('width=device-width, initial-scale=1', '端末の幅に合わせる')]),
    'link::rel': vals([('alternate', '代替文書'), ('icon', 'アイコン'), ('next', '次の文書'), ('prev', '前の文書'), ('preload', '事前読み込み'),
        ('start', '最初の文書'), ('stylesheet', 'スタイルシート'), ('shortcut icon', 'アイコン (旧式)')]),
    'a::rel': vals([('nofollow', 'リンク先を評価しない'), ('noopener', 'opener を渡さない'), ('noreferrer', 'リファラーを送らない'), ('next', '次の文書'), ('prev', '前の文書')]),
    'link::type': vals([('text/css', 'CSS'), ('image/x-icon', 'アイコン画像'), ('application/rss+xml', 'RSS')]),
    'script::type': [(A_VALUE, '@script-type', '')], 'style::type': vals([('text/css', 'CSS')]),
    'link::charset': [(A_VALUE, '@charset', '')], 'script::charset': [(A_VALUE, '@charset', '')], 'a::charset': [(A_VALUE, '@charset', '')],
    'form::accept-charset': [(A_VALUE, '@charset', '')],
    'ol::type': vals([('1', '数字'), ('a', '小文字のアルファベット'), ('A', '大文字のアルファベット'), ('i', '小文字のローマ数字'), ('I', '大文字のローマ数字')]),
    'ul::type': vals([('disc', '黒丸'), ('circle', '白丸'), ('square', '四角')]),
    'li::type': vals([('1', '数字'), ('a', '小文字のアルファベット'), ('A', '大文字のアルファベット'), ('i', '小文字のローマ数字'),
        ('I', '大文字のローマ数字'), ('disc', '黒丸'), ('circle', '白丸'), ('square', '四角')]),
    'html::lang': [(A_VALUE, '@lang', '')], 'html::dir': [(A_VALUE, '@dir', '')],
    'table::frame': vals([('void', 'なし'), ('above', '上'), ('below', '下'), ('hsides', '上下'), ('lhs', '左'), ('rhs', '右'), ('vsides', '左右'), ('box', '四辺'), ('border', '四辺')]),
    'table::rules': vals([('none', 'なし'), ('groups', 'グループ間'), ('rows', '行間'), ('cols', '列間'), ('all', 'すべて')]),
    'td::scope': vals([('row', '行'), ('col', '列'), ('rowgroup', '行グループ'), ('colgroup', '列グループ')]),
    'th::scope': vals([('row', '行'), ('col', '列'), ('rowgroup', '行グループ'), ('colgroup', '列グループ')]),
    'br::clear': vals([('left', '左の回り込みを解除'), ('right', '右の回り込みを解除'), ('all', '両方の回り込みを解除'), ('none', '解除しない')]),
    'textarea::wrap': vals([('hard', '改行を付けて送信'), ('soft', '改行なしで送信'), ('off', '折り返さない')]),
    'iframe::scrolling': vals([('auto', '必要なとき'), ('yes', '常に表示'), ('no', '表示しない')]),
    'frame::scrolling': vals([('auto', '必要なとき'), ('yes', '常に表示'), ('no', '表示しない')]),
    'iframe::loading': vals([('eager', 'すぐに読み込む'), ('lazy', '表示時に読み込む')]),
    'img::loading': vals([('eager', 'すぐに読み込む'), ('lazy', '表示時に読み込む')]),
    'img::decoding': vals([('async', '非同期'), ('auto', '自動'), ('sync', '同期')]),
    'audio::preload': vals([('auto', 'すべて'), ('metadata', 'メタデータのみ'), ('none', 'しない')]),
    'video::preload': vals([('auto', 'すべて'), ('metadata', 'メタデータのみ'), ('none', 'しない')]),
    'track::kind': vals([('captions', '字幕 (音声説明付き)'), ('chapters', 'チャプター'), ('descriptions', '説明'), ('metadata', 'メタデータ'), ('subtitles', '字幕')]),
    'input::autocomplete': vals([('off', '補完しない'), ('on', '補完する')]), 'form::autocomplete': vals([('off', '補完しない'), ('on', '補完する')]),
    'a::href': [(A_VALUE, '@url', '')], 'area::href': [(A_VALUE, '@url', '')], 'link::href': [(A_VALUE, '@url', '')],
    'frame::frameborder': vals([('0', '枠なし'), ('1', '枠あり')]), 'iframe::frameborder': vals([('0', '枠なし'), ('1', '枠あり')]),
}
for el in ELEMENTS:
    own = EA.get(el, '').split()
    if 'align' in own:
        ref = ('@align-caption' if el in ('caption', 'legend') else '@align-image' if el in ('img', 'input', 'object', 'applet', 'iframe')
               else '@align-table' if el in ('table', 'hr') else '@align-cell' if el in ('col', 'colgroup', 'tbody', 'td', 'tfoot', 'th', 'thead', 'tr')
               else '@align-block')
        AV[el + '::align'] = [(A_VALUE, ref, '')]
    if 'valign' in own:
        AV[el + '::valign'] = [(A_VALUE, '@valign', '')]
    for c in ('bgcolor', 'text', 'link', 'vlink', 'alink', 'color'):
        if c in own:
            AV[el + '::' + c] = [(A_VALUE, '@color', '')]
    if el == 'html' or own:
        pass
# lang and dir on the common elements.
for el in ('body', 'div', 'p', 'span', 'html'):
    AV[el + '::lang'] = [(A_VALUE, '@lang', '')]
    AV[el + '::dir'] = [(A_VALUE, '@dir', '')]
AV['bdo::dir'] = vals([('ltr', '左から右'), ('rtl', '右から左')])

def element_sections():
    out = {}
    glob = sorted([(A_OBSOLETE if a in OBSOLETE else A_ATTR, a + '=', ATTR_JA[a]) for a in GLOBAL], key=lambda e: e[1])
    ev = sorted([(A_EVENT, a + '=', 'イベント: ' + EVENT_JA[a]) for a in EVENTS], key=lambda e: e[1])
    out['@global'] = glob
    out['@event'] = ev
    for el in sorted(ELEMENTS):
        items = []
        for a in EA.get(el, '').split():
            if a.startswith('on'):
                items.append((A_EVENT, a + '=', 'イベント: ' + EVENT_JA[a]))
            else:
                items.append((A_OBSOLETE if a in OBSOLETE else A_ATTR, a + '=', ATTR_JA.get(a, a)))
        items.sort(key=lambda e: e[1])
        items.append((A_ATTR, '@global', ''))
        items.append((A_EVENT, '@event', ''))
        out[el] = items
    return out

def start_tags():
    items = [(I_DECL, '<!-- -->', 'コメント'), (I_DECL, '<!DOCTYPE html>', '文書型宣言 (現行の HTML)'),
             (I_DECL, '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">', '文書型宣言 (HTML 4.01 Strict)'),
             (I_DECL, '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">', '文書型宣言 (HTML 4.01 Transitional)'),
             (I_DECL, '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Frameset//EN">', '文書型宣言 (HTML 4.01 Frameset)')]
    for el, (ja, empty, attrs, _, _) in ELEMENTS.items():
        word = '<' + el + (' ' if attrs else '>')
        items.append((I_EMPTY if empty else I_ELEM, word, ja + (' (空要素)' if empty else '')))
    return sorted(items, key=lambda e: e[1].lower())

def char_refs():
    items = []
    for name, cp in html.entities.name2codepoint.items():
        ch = chr(cp)
        try:
            ch.encode('cp932')
            shown = '「' + ch + '」' if cp > 0x20 and cp != 0xA0 else ''
        except UnicodeEncodeError:
            shown = ''
        label = {0xA0: 'ノーブレークスペース', 0x26: 'アンパサンド', 0x3C: '小なり記号', 0x3E: '大なり記号', 0x22: '二重引用符',
                 0xA9: '著作権記号', 0xAE: '登録商標記号', 0x2122: '商標記号', 0x2002: 'n 幅の空白', 0x2003: 'm 幅の空白',
                 0x2009: '細い空白', 0x200C: '幅ゼロの非接合子', 0x200D: '幅ゼロの接合子', 0x200E: '左から右の印', 0x200F: '右から左の印',
                 0xAD: 'ソフトハイフン'}.get(cp, '')
        comment = '文字参照: ' + (shown or label or '') + ' (U+%04X)' % cp
        items.append((I_CHAR, '&' + name + ';', comment.replace(':  (', ': (')))
    return sorted(items, key=lambda e: e[1].lower())

def colors_hash():
    return [(I_CHAR, v, c) for v, c in COLORS]

PERL_VARS = [('$_', '既定の入力・検索対象'), ('$0', 'スクリプトのファイル名'), ('$1', '1 番目の括弧に一致した文字列'),
    ('$&', '最後に一致した文字列'), ('$`', '一致した部分の前'), ("$'", '一致した部分の後'), ('$+', '最後の括弧に一致した文字列'),
    ('$!', 'システムエラーのメッセージ'), ('$@', 'eval のエラー'), ('$$', 'プロセス ID'), ('$/', '入力レコードの区切り'),
    ('$\\', '出力レコードの区切り'), ('$,', '出力フィールドの区切り'), ('$"', '配列展開の区切り'), ('$;', '多次元配列の区切り'),
    ('$.', '現在の行番号'), ('$|', '出力のバッファリングを止める'), ('$^W', '警告の有無'), ('$^O', 'OS の名前'), ('$]', 'Perl のバージョン'),
    ('$0', ''), ('$ARGV', '読み込み中のファイル名'),
    ("$ENV{'QUERY_STRING'}", 'GET で送られたデータ'), ("$ENV{'REQUEST_METHOD'}", 'リクエストの方法 (GET・POST)'),
    ("$ENV{'CONTENT_LENGTH'}", 'POST で送られたデータの長さ'), ("$ENV{'CONTENT_TYPE'}", '送られたデータの種類'),
    ("$ENV{'HTTP_COOKIE'}", 'クッキー'), ("$ENV{'HTTP_USER_AGENT'}", 'ブラウザーの種類'), ("$ENV{'HTTP_REFERER'}", 'リンク元の URL'),
    ("$ENV{'HTTP_HOST'}", '要求されたホスト名'), ("$ENV{'REMOTE_ADDR'}", '接続元の IP アドレス'), ("$ENV{'REMOTE_HOST'}", '接続元のホスト名'),
    ("$ENV{'SCRIPT_NAME'}", 'スクリプトのパス'), ("$ENV{'SERVER_NAME'}", 'サーバー名'), ("$ENV{'SERVER_PORT'}", 'サーバーのポート番号'),
    ("$ENV{'SERVER_SOFTWARE'}", 'サーバーのソフトウェア'), ("$ENV{'PATH_INFO'}", 'スクリプト名の後の追加パス'),
    ("$ENV{'PATH_TRANSLATED'}", '追加パスの実際のパス'), ("$ENV{'DOCUMENT_ROOT'}", '文書のルートフォルダー'),
    ("$ENV{'GATEWAY_INTERFACE'}", 'CGI のバージョン'), ("$ENV{'SERVER_PROTOCOL'}", 'プロトコル名とバージョン'),
    ("$ENV{'REQUEST_URI'}", '要求された URI'), ("$ENV{'HTTPS'}", 'HTTPS 接続かどうか')]

PERL_JA = {'abs': '絶対値', 'atan2': '逆正接', 'binmode': 'バイナリモードにする', 'bless': 'オブジェクトにする', 'chdir': 'カレントディレクトリを変える',
    'chmod': 'パーミッションを変える', 'chomp': '末尾の改行を取る', 'chop': '末尾の 1 文字を取る', 'chr': '文字コードから文字', 'close': 'ファイルを閉じる',
    'closedir': 'ディレクトリを閉じる', 'crypt': '暗号化', 'defined': '定義済みか調べる', 'delete': 'ハッシュの要素を削除', 'die': 'エラーで終了',
    'each': 'ハッシュの次の組', 'eof': 'ファイルの終わりか調べる', 'eval': '評価・例外処理', 'exists': 'キーがあるか調べる', 'exit': 'プログラムの終了',
    'flock': 'ファイルのロック', 'grep': '条件に合う要素', 'hex': '16 進数を数値に', 'index': '文字列を探す', 'int': '整数部分', 'join': '連結',
    'keys': 'ハッシュのキー一覧', 'lc': '小文字に', 'length': '長さ', 'local': '一時的な値', 'localtime': '現地時刻', 'map': '各要素を変換',
    'mkdir': 'ディレクトリを作る', 'my': 'レキシカル変数の宣言', 'oct': '8 進数を数値に', 'open': 'ファイルを開く', 'opendir': 'ディレクトリを開く',
    'ord': '文字から文字コード', 'pack': 'バイナリに詰める', 'pop': '末尾の要素を取り出す', 'print': '出力', 'printf': '書式付き出力',
    'push': '末尾に追加', 'rand': '乱数', 'read': '読み込む', 'readdir': 'ディレクトリの項目を読む', 'rename': '名前を変える', 'require': 'ファイルを読み込む',
    'return': '値を返す', 'reverse': '逆順に', 'rindex': '後ろから文字列を探す', 'rmdir': 'ディレクトリを消す', 'seek': 'ファイル位置を移す',
    'shift': '先頭の要素を取り出す', 'sleep': '待つ', 'sort': '並べ替え', 'splice': '配列の一部を置き換え', 'split': '分割', 'sprintf': '書式付き文字列',
    'srand': '乱数の種', 'stat': 'ファイルの情報', 'sub': 'サブルーチンの定義', 'substr': '部分文字列', 'system': '外部コマンドの実行', 'time': '現在の時刻 (秒)',
    'tr': '文字の置き換え', 'uc': '大文字に', 'undef': '未定義にする', 'unlink': 'ファイルを消す', 'unpack': 'バイナリを展開', 'unshift': '先頭に追加',
    'use': 'モジュールを使う', 'values': 'ハッシュの値一覧', 'wantarray': 'リストを求められているか', 'warn': '警告を出す', 'write': '書式に従って出力',
    'if': '条件分岐', 'elsif': 'さらに条件分岐', 'else': 'それ以外', 'unless': '否定の条件分岐', 'while': '条件の間繰り返す', 'until': '条件になるまで繰り返す',
    'for': '繰り返し', 'foreach': '各要素で繰り返す', 'last': 'ループを抜ける', 'next': '次の繰り返しへ', 'redo': '繰り返しをやり直す',
    'package': 'パッケージの宣言', 'our': 'パッケージ変数の宣言', 'do': 'ブロックの実行', 'and': '論理積', 'or': '論理和', 'not': '否定', 'xor': '排他的論理和',
    'eq': '文字列が等しい', 'ne': '文字列が等しくない', 'lt': '文字列が小さい', 'gt': '文字列が大きい', 'le': '文字列が以下', 'ge': '文字列が以上', 'cmp': '文字列の比較',
    'qw': '単語のリスト', 'q': '単一引用符の文字列', 'qq': '二重引用符の文字列', 's': '置換', 'm': 'パターン一致', 'y': '文字の置き換え', 'x': '繰り返し演算子',
    'BEGIN': 'コンパイル時に実行するブロック', 'END': '終了時に実行するブロック', 'AUTOLOAD': '未定義サブルーチンの処理', 'DESTROY': 'オブジェクトの破棄',
    'ref': 'リファレンスの種類', 'scalar': 'スカラーコンテキスト', 'wait': '子プロセスを待つ', 'fork': 'プロセスの複製', 'exec': '別のプログラムを実行',
    'select': '既定の出力先・待機', 'uc': '大文字に', 'ucfirst': '先頭を大文字に', 'lcfirst': '先頭を小文字に', 'quotemeta': 'メタ文字をエスケープ',
    'say': '改行付き出力', 'sqrt': '平方根', 'exp': '指数関数', 'log': '自然対数', 'sin': '正弦', 'cos': '余弦', 'gmtime': '世界協定時刻',
    'getc': '1 文字読む', 'readline': '1 行読む', 'truncate': 'ファイルを切り詰める', 'utime': 'ファイルの時刻を変える', 'umask': 'ファイル作成マスク',
    'kill': 'シグナルを送る', 'alarm': 'タイマーのシグナル', 'caller': '呼び出し元の情報', 'sysopen': 'ファイルを開く (低水準)', 'sysread': '読む (低水準)',
    'syswrite': '書く (低水準)', 'tell': 'ファイル位置', 'lstat': 'リンクの情報', 'symlink': 'シンボリックリンクを作る', 'link': 'ハードリンクを作る',
    'readlink': 'リンク先', 'glob': 'ファイル名の展開', 'goto': 'ジャンプ', 'dump': 'コアダンプ', 'reset': '変数のリセット', 'study': '検索の準備',
    'pos': '一致の位置', 'vec': 'ビットベクター', 'lock': 'スレッドのロック', 'no': 'モジュールの取り消し', 'state': '状態変数の宣言', 'fc': '大文字小文字の畳み込み',
    'sprintf': '書式付き文字列', 'chown': '所有者を変える', 'chroot': 'ルートを変える', 'fileno': 'ファイル番号', 'pipe': 'パイプを作る', 'socket': 'ソケットを作る'}
PERL_STMT = {'if', 'elsif', 'else', 'unless', 'while', 'until', 'for', 'foreach', 'last', 'next', 'redo', 'package', 'our', 'my', 'local',
             'do', 'sub', 'use', 'no', 'require', 'return', 'and', 'or', 'not', 'xor', 'eq', 'ne', 'lt', 'gt', 'le', 'ge', 'cmp', 'BEGIN',
             'END', 'INIT', 'CHECK', 'UNITCHECK', 'continue', 'default', 'given', 'when', 'break', 'state', 'goto', 'x', 'format'}

def read_kwd(name):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'Keyword', name)
    return [w for w in open(path, encoding='cp932').read().split() if w]

def cgi_sections():
    out = {}
    seen = set()
    vars_ = []
    for v, c in PERL_VARS:
        if v in seen:
            continue
        seen.add(v)
        vars_.append((I_PVAR, v, c))
    out['$'] = sorted(vars_, key=lambda e: e[1].lower())
    out['%'] = [(I_PVAR, '%ENV', '環境変数のハッシュ'), (I_PVAR, '%INC', '読み込んだファイルのハッシュ'), (I_PVAR, '%SIG', 'シグナルハンドラーのハッシュ')]
    out['#'] = sorted([(I_HEAD, '#!/usr/bin/perl', 'Perl のパス (標準)'), (I_HEAD, '#!/usr/local/bin/perl', 'Perl のパス (/usr/local)'),
                       (I_HEAD, '#!/usr/bin/perl -w', 'Perl のパス (警告あり)'), (I_HEAD, '#!/usr/bin/env perl', 'Perl のパス (env で探す)')],
                      key=lambda e: e[1].lower())
    words = read_kwd('CGI.kwd')
    for letter in 'abcdefghijklmnopqrstuvwxyz':
        items = []
        for w in words:
            if w[0].lower() != letter:
                continue
            stmt = w in PERL_STMT
            c = PERL_JA.get(w) or ('Perl の文・キーワード' if stmt else 'Perl の組み込み関数')
            items.append((I_PSTMT if stmt else I_PFUNC, w, c))
        if letter == 'p':
            items.append((I_HEAD, 'print "Content-type: text/html\\n\\n";', 'HTML の Content-type ヘッダーを出力'))
        if items:
            out[letter] = sorted(items, key=lambda e: e[1].lower())
    return out

def encode_value(v):
    if v != v.strip(' \t') or (len(v) >= 2 and v[0] in '"\'' and v[-1] == v[0]):
        return '"' + v + '"'
    return v

def write(name, sections):
    lines = []
    for sec, items in sections.items():
        lines.append('[' + sec + ']')
        for n, (image, word, comment) in enumerate(items):
            assert word and len(word.encode('cp932')) <= 63, (name, word)
            assert len(comment.encode('cp932')) <= 127, (name, comment)
            if not sec.startswith('@'):
                lines.append('Image%d=%d' % (n, image))
            lines.append('Word%d=%s' % (n, encode_value(word)))
            if comment:
                lines.append('Comment%d=%s' % (n, comment))
        lines.append('')
    data = '\r\n'.join(lines).encode('cp932')
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)

def main():
    os.makedirs(OUT, exist_ok=True)
    html_sections = {'<': start_tags(), '&': char_refs(), '#': colors_hash()}
    write('HTML.ast', html_sections)
    write('Common.ast', html_sections)
    write('CGI.ast', cgi_sections())
    write('HTML element.ast', element_sections())
    av = dict(sorted(AV.items()))
    av.update(REFS)
    write('HTML attribute.ast', av)
    return 0

if __name__ == '__main__':
    sys.exit(main())
